#!/bin/sh
# Copies the built site to every server named on the command line.
set -e
site=${SITE:-build/site}

for host in "$@"; do
    case "$host" in
        *.test) echo 'skipping test host' "$host" ;;
        *) scp -r "$site" "$host:/var/www" # copy it all
           echo "deployed to $host: \"$site\"" ;;
    esac
done

if [ -z "$1" ]; then echo "usage: deploy.sh HOST..." >&2; fi
message="a string continued \
on the next line"
until false; do break; done
echo 'it''s two strings' "unclosed
echo done
