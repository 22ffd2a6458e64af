# Saves that the system does not let through the usual way, with the real program:
# - a folder that takes no new file but lets setdata.ini be written (an immutable directory here,
#   folder permissions on Windows): where no byte can be written (a file-size limit of 0), the
#   write-error box and the old file as it was, not emptied; then, written in place over an old
#   file longer than the new content, the file cut at the new content's end;
# - a second file SETDATA.INI beside setdata.ini, which makes the system move the old file aside
#   and then fail to move the new one in: the write-error box, and the old settings back under
#   the name the game reads;
# - a folder SETDATA.INI there instead: where the temporary cannot be written (the same limit),
#   the write-error box and no temporary left; where it can, the folder also keeps the old file
#   from going back: the old settings wait under their backup name, and once the folder is gone
#   the next start takes them back without a word, and leaves a temporary of an earlier run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.bash"

work=$(mktemp -d)
trap 'kill "$GAME_PID" 2>/dev/null || true; chattr -i "$work/immutable" 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/immutable" "$work/case" "$work/cut" "$work/cut/SETDATA.INI"
# The old settings with LF line ends, in the first folder with tokens past the 41st (ignored on
# reading, gone after a save), so that the old file is longer than the new one.
printf '%s\n' $(cat "$DEFAULT_FILE") >"$work/case/setdata.ini"
cp "$work/case/setdata.ini" "$work/case-old.ini"
printf '%s\n' $(cat "$DEFAULT_FILE") $(seq 100 160) >"$work/immutable/setdata.ini"
echo decoy >"$work/case/SETDATA.INI"
cp "$work/immutable/setdata.ini" "$work/old.ini"
tr -d '\r' <"$DEFAULT_FILE" | tee "$work/cut/setdata.ini" >"$work/lf.ini"
echo earlier >"$work/cut/set0000.tmp"

# Closes the game, dismisses the write-error box the save must show, and expects the normal end.
close_refused() {
    keys_to "$MAIN" alt+F4
    keys_to "$(wait_window ライトエラー)" Return || fail "no write-error box"
    expect_exit_code 0
}

cd "$work/immutable"
chattr +i . || fail "cannot make the folder immutable (chattr)"
touch probe 2>/dev/null && fail "the immutable folder still takes new files"
wineserver -p 2>/dev/null || true # the limit is the game's: a server it started would share it
GAME_FILE_LIMIT=0 start_game
close_refused
cmp -s setdata.ini ../old.ini || fail "a failed write changed setdata.ini: $(od -c setdata.ini | head -3)"
start_game
keys_to "$MAIN" alt+F4
expect_exit_code 0
cmp -s setdata.ini "$DEFAULT_FILE" ||
    fail "setdata.ini was not rewritten in place: $(od -c setdata.ini | tail -3)"

cd "$work/case"
start_game
close_refused
names=$(find . -maxdepth 1 -iname setdata.ini)
[ "$(wc -l <<<"$names")" = 1 ] && cmp -s "$names" "$work/case-old.ini" ||
    fail "not the old settings under one name: $names: $(head -c 40 $names | od -c | head -2)"
no_temporary() { [ -z "$(find . -iname 'set*.tmp' ! -name set0000.tmp)" ] || fail "left behind: $(ls)"; }
no_temporary

cd "$work/cut"
for limit in 0 ""; do
    GAME_FILE_LIMIT=$limit start_game
    close_refused
    no_temporary
done
cmp -s setdata-backup-*.ini ../lf.ini || fail "the old settings are not in one backup: $(ls)"
rmdir SETDATA.INI
start_game # without a read-error box
cmp -s setdata.ini ../lf.ini && [ "$(cat set0000.tmp)" = earlier ] || fail "not as it was: $(ls)"
keys_to "$MAIN" alt+F4
expect_exit_code 0
echo "ok"
