# A Windows player's first run: the ZIP package unpacked into an empty folder holds the game and
# its readme and nothing else; started there, the missing settings are reported, the main window
# opens, and closing it leaves the default settings file and exit code 0.
set -euo pipefail
. "$(dirname "$0")/lib.bash"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cmake -E tar xf "$E2E_PACKAGE"
[ "$(find . -type f | sort | tr '\n' ' ')" = "./mabatakiban-1.20-win64/mabatakiban.exe ./mabatakiban-1.20-win64/readme.txt " ] ||
    fail "the package holds: $(find . -type f | tr '\n' ' ')"
cd mabatakiban-1.20-win64
E2E_EXE=$PWD/mabatakiban.exe
start_game

box=$(wait_window "リードエラー") || fail "no read-error message"
shot "01-read-error"
xdotool search --onlyvisible --name "瞬記盤" >/dev/null 2>&1 &&
    fail "the main window showed before the warning was dismissed"
keys_to "$box" Return
wait_gone "リードエラー" || fail "the read-error message did not go away"

main=$(wait_window "瞬記盤「まばたきばん」 Ver1.20") || fail "no main window"
sleep 0.5
shot "02-main-window"
read -r x y < <(window_origin "$main")
[ "$(pixel_at $((x + 320)) $((y + 300)))" = "000000" ] || fail "the board is not black"

keys_to "$main" alt+F4
expect_exit_code 0
[ -f setdata.ini ] || fail "no setdata.ini written"
cmp -s setdata.ini <(printf '%s\r\n' 3 3 3 0 3 3 5 0 3 3 7 0 3 3 9 0 5 3 5 0 5 3 9 0 7 3 5 0 7 2 9 0 9 2 9 0 9 1 9 0 1) ||
    fail "setdata.ini is not the default file"
[ "$(stat -c %s setdata.ini)" -eq 123 ] || fail "setdata.ini is $(stat -c %s setdata.ini) bytes"
echo "ok"
