# A Windows player's first run, outside Japan: the ZIP package unpacked into an empty folder with a
# Japanese name holds the game and its readme and nothing else; started there under a Western
# locale (code page 1252), the missing settings are reported before the main window shows, every
# text reads in Japanese, and closing the window leaves the default settings file and exit code 0.
# A second run, under the Japanese locale, reads that file without a word; the two runs' captions
# read the same and their client areas show the same.
set -euo pipefail
. "$(dirname "$0")/lib.bash"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cmake -E tar xf "$E2E_PACKAGE"
files=$(find . -type f | sort | tr '\n' ' ')
[ "$files" = "./mabatakiban-1.20-win64/mabatakiban.exe ./mabatakiban-1.20-win64/readme.txt " ] ||
    fail "the package holds: $files"
mv mabatakiban-1.20-win64 "ゲーム フォルダ"
cd "ゲーム フォルダ"
E2E_EXE=$PWD/mabatakiban.exe
GAME_LOCALE=C.UTF-8 start_game nowait

box=$(wait_window "リードエラー") || fail "no read-error message"
visible "瞬記盤" >/dev/null && fail "the main window showed before the warning was dismissed"
shot "read-error-western"
keys_to "$box" Return
find_main
shot "main-window-western"
client_shot "client-western"
keys_to "$MAIN" alt+F4
expect_exit_code 0
cmp -s setdata.ini "$DEFAULT_FILE" || fail "setdata.ini is not the default file: $(od -c setdata.ini | head -3)"

GAME_LOCALE=ja_JP.UTF-8 start_game
shot "main-window-japanese"
client_shot "client-japanese"
keys_to "$MAIN" alt+F4
expect_exit_code 0
unlike=$(compare -metric AE "$E2E_OUT/client-western.png" "$E2E_OUT/client-japanese.png" null: 2>&1) ||
    fail "the two runs' client areas differ in $unlike pixels"
echo "ok"
