# A Windows player's first run: the ZIP package unpacked into an empty folder holds the game and
# its readme and nothing else; started there, the missing settings are reported before the main
# window shows, and closing the window leaves the default settings file and exit code 0. A second
# run over that file made hidden, beside a file of the player's named setdata.ini.new, keeps the
# one hidden and leaves the other alone.
set -euo pipefail
. "$(dirname "$0")/lib.bash"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cmake -E tar xf "$E2E_PACKAGE"
files=$(find . -type f | sort | tr '\n' ' ')
[ "$files" = "./mabatakiban-1.20-win64/mabatakiban.exe ./mabatakiban-1.20-win64/readme.txt " ] ||
    fail "the package holds: $files"
cd mabatakiban-1.20-win64
E2E_EXE=$PWD/mabatakiban.exe
start_game nowait

box=$(wait_window "リードエラー") || fail "no read-error message"
xdotool search --onlyvisible --name "瞬記盤" >/dev/null 2>&1 &&
    fail "the main window showed before the warning was dismissed"
keys_to "$box" Return
main=$(wait_window "瞬記盤「まばたきばん」 Ver1.20") || fail "no main window"
sleep 0.5
shot "main-window"
keys_to "$main" alt+F4
expect_exit_code 0
cmp -s setdata.ini <(printf '%s\r\n' 3 3 3 0 3 3 5 0 3 3 7 0 3 3 9 0 5 3 5 0 5 3 9 0 7 3 5 0 7 2 9 0 9 2 9 0 9 1 9 0 1) ||
    fail "setdata.ini is not the default file: $(od -c setdata.ini | head -3)"

wine attrib +h setdata.ini
echo "the player's own" >setdata.ini.new
start_game
keys_to "$MAIN" alt+F4
expect_exit_code 0
wine attrib setdata.ini | grep -q '^A *H ' || fail "setdata.ini is no longer hidden: $(wine attrib setdata.ini)"
[ "$(cat setdata.ini.new)" = "the player's own" ] || fail "setdata.ini.new was touched"
echo "ok"
