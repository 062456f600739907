#!/bin/sh
# The Windows varnel.exe under Wine changes files in place as a save would: through a
# symbolic link to its target (the link stays), and never a read-only file.
#   in_place_writes.sh WINE-RUNNER VARNEL.EXE
set -u
run=$1
varnel=$2
folder=$(mktemp -d /tmp/varnel-writes.XXXXXX)
trap 'chmod -R u+w "$folder"; rm -rf "$folder"' EXIT
cd "$folder" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf 'echo hi\n' > target.sh
ln -s target.sh link.sh
"$run" "$varnel" comment link.sh 1 1 || fail "comment through a link exited $?"
[ -L link.sh ] || fail "the link was replaced by a file"
[ "$(cat target.sh)" = "#echo hi" ] || fail "the link's target holds: $(cat target.sh)"

printf 'echo ro\n' > locked.sh
chmod 444 locked.sh
"$run" "$varnel" comment locked.sh 1 1 2>err.txt
status=$?
[ $status -eq 1 ] || fail "a read-only file: exit $status, not 1"
[ "$(cat locked.sh)" = "echo ro" ] || fail "the read-only file was changed: $(cat locked.sh)"
[ "$(stat -c %a locked.sh)" = 444 ] || fail "the read-only file's mode is now $(stat -c %a locked.sh)"
grep -q "cannot write locked.sh" err.txt || fail "no message: $(cat err.txt)"

[ $failures -eq 0 ] && echo "in-place writes under Wine: all checks passed"
exit $failures
