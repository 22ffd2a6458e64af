# A folder that takes no new file but lets setdata.ini be written (an immutable directory here,
# folder permissions on Windows): the save writes the file in place instead of failing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.bash"

work=$(mktemp -d)
trap 'kill "$GAME_PID" 2>/dev/null || true; chattr -i "$work" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"
# LF line ends, which the save rewrites as CR LF.
printf '%s\n' 3 3 3 0 3 3 5 0 3 3 7 0 3 3 9 0 5 3 5 0 5 3 9 0 7 3 5 0 7 2 9 0 9 2 9 0 9 1 9 0 4 >setdata.ini
chattr +i "$work" || fail "cannot make the folder immutable (chattr)"
touch probe 2>/dev/null && fail "the immutable folder still takes new files"

start_game
keys_to "$MAIN" alt+F4
expect_exit_code 0
cmp -s setdata.ini <(printf '%s\r\n' 3 3 3 0 3 3 5 0 3 3 7 0 3 3 9 0 5 3 5 0 5 3 9 0 7 3 5 0 7 2 9 0 9 2 9 0 9 1 9 0 4) ||
    fail "setdata.ini was not rewritten in place: $(od -c setdata.ini | head -3)"
echo "ok"
