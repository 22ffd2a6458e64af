# The web buttons on Linux, in a prefix set up as scripts/play does, under a Western locale: the
# browser at Internet Explorer's path hands the address to the desktop (xdg-open, here a stand-in
# that records it). Webヘルプ gives the help page the game wrote out, and so does ホームページ in a
# build that names no home page of its own.
# The temporary folder has a space, Japanese and a %41 in its name, which the address must carry
# through unchanged.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.bash"
. "$here/../../scripts/lib.sh"

work=$(mktemp -d)
user=$(id -un)
temp="$WINEPREFIX/drive_c/users/$user/一時 p%41q"
set_temp() {
    for name in TMP TEMP; do wine reg add 'HKCU\Environment' /v $name /t "$1" /d "$2" /f; done >/dev/null 2>&1
}
trap 'kill "$GAME_PID" 2>/dev/null || true; set_temp REG_EXPAND_SZ "%USERPROFILE%\Temp"; rm -rf "$work" "$temp"' EXIT
mkdir -p "$temp"
set_temp REG_SZ "C:\\users\\$user\\一時 p%41q"
cd "$work"
cp "$DEFAULT_FILE" setdata.ini
mkdir bin && printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s/opened.txt"\n' "$work" >bin/xdg-open
chmod +x bin/xdg-open
export PATH="$work/bin:$PATH"
install_desktop_browser "$E2E_DESKTOP_BROWSER"

# Presses toolbar button $1 and waits for the desktop to be handed address number $2.
opened_at_least() { [ "$(wc -l <opened.txt)" -ge "$1" ]; }
press_for_address() {
    click_toolbar "$1"
    WAIT=10 wait_for opened_at_least "$2" || fail "nothing reached xdg-open"
}

GAME_LOCALE=C.UTF-8 start_game
press_for_address help 1
help=$(sed -n 1p opened.txt)
echo "Webヘルプ: $help"
file=$(python3 -c 'import sys, urllib.parse as u; a = sys.argv[1]; print(u.unquote(u.urlparse(a).path) if a.startswith("file:") else a)' "$help")
[ -f "$file" ] || fail "Webヘルプ gave '$help', not an existing file"
# The built-in page with the record's section where it marks its place.
python3 -c 'import sys; page, built = (open(n, encoding="utf-8").read() for n in sys.argv[1:]); top, rest = built.split("<!-- record -->\n"); sys.exit(not (page.startswith(top) and page.endswith(rest) and "<section id=\"record\">" in page))' \
    "$file" "$E2E_HELP_PAGE" || fail "'$file' is not the help page with the record"
[ "$(dirname "$file")" -ef "$temp" ] || fail "'$file' is not in the temporary folder"

press_for_address home 2
[ "$(sed -n 2p opened.txt)" = "$help" ] || fail "ホームページ gave '$(sed -n 2p opened.txt)'"
xdotool search --onlyvisible --name "残念！" >/dev/null 2>&1 && fail "a browser failure was reported"
keys_to "$MAIN" alt+F4
expect_exit_code 0
echo "ok"
