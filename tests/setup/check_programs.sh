#!/bin/sh
# Checks the shipped 32-bit setup programs without running them:
#   check_programs.sh OBJDUMP PAYLOAD-MANIFEST installer.exe Mossclean.exe Varnel.exe
# Each is a PE32 Windows GUI program that imports only system libraries; the
# installer carries every payload file as a "MYDATA" resource of the file's size.
set -u
objdump=$1
manifest=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
failures=0
checks=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { checks=$((checks + 1)); }

system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll comctl32.dll comdlg32.dll msvcrt.dll "

for program in "$@"; do
    headers=$("$objdump" -p "$program") || { fail "$program: unreadable"; continue; }
    echo "$headers" | grep -q "file format pei-i386" && pass || fail "$program is not PE32 (i386)"
    echo "$headers" | grep -Eq "^Subsystem[[:space:]]+00000002" && pass || fail "$program is not a GUI program"
    for dll in $(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        case $system_dlls in
        *" $dll "*) pass ;;
        *) fail "$program imports $dll" ;;
        esac
    done
done

installer=$1
listed=$(python3 "$here/pe_resources.py" "$installer" MYDATA) || { fail "cannot list the resources"; listed=; }
count=0
tab=$(printf '\t')
# Lines are "name<TAB>target<TAB>built file"; the uninstaller's target is empty.
while IFS= read -r line; do
    name=${line%%"$tab"*}
    source=${line##*"$tab"}
    [ -n "$name" ] || continue
    count=$((count + 1))
    expected=$(wc -c < "$source")
    actual=$(echo "$listed" | awk -v n="$name" '$1 == n { print $2 }')
    if [ "$actual" = "$expected" ]; then pass; else fail "$name: size '${actual:-missing}', built file $expected bytes"; fi
done < "$manifest"
carried=$(echo "$listed" | grep -c .)
[ "$carried" -eq "$count" ] && pass || fail "the installer carries $carried resources, the payload lists $count"
for name in VARNEL.EX_ MOSSCLEAN.EX_ README.TX_ AMBERLEX.DL_ LARCHLEX.DL_ STRICT_XHTML.TM_ QUICKSTART.DO_; do
    echo "$listed" | grep -q "^$name " && pass || fail "no resource $name"
done

# Icon groups (type 14): the installer's holds twelve images (6 bytes of header and 14
# per image); the editor has its own icon and, as its second, the documents' icon that
# the file associations name.
icons=$(python3 "$here/pe_resources.py" "$installer" 14)
[ "$icons" = "1 174" ] && pass || fail "installer icon groups: '$icons', expected one of twelve images"
editor=$3
icons=$(python3 "$here/pe_resources.py" "$editor" 14 | tr '\n' ' ')
[ "$icons" = "1 174 2 174 " ] && pass || fail "editor icon groups: '$icons', expected two of twelve images"

echo "$checks passed, $failures failed"
[ "$failures" -eq 0 ]
