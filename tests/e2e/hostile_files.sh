# The real program with settings files no player should write: it starts, a game started from
# the toolbar shows its symbols, nothing crashes, and the file written at exit is well formed.
# A program killed during play leaves the file as it was.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.bash"

work=$(mktemp -d)
trap 'kill -9 "${GAME_PID:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"

# 41 lines, each a decimal integer without leading zeros or plus sign, ended by CR LF.
well_formed() {
    local bad
    bad=$(LC_ALL=C grep -cvE '^(0|-?[1-9][0-9]{0,9})'$'\r''$' setdata.ini || true)
    [ "$bad" = 0 ] && [ "$(wc -l <setdata.ini)" -eq 41 ]
}

# Starts the program over the current setdata.ini, starts a game and waits for its symbols.
start_and_play() {
    local label=$1 main wx wy cx cy squares
    start_game
    main=$(wait_window "瞬記盤「まばたきばん」 Ver1.20") || fail "$label: no main window"
    xdotool search --onlyvisible --name "リードエラー" >/dev/null 2>&1 && fail "$label: read error"
    sleep 0.3
    read -r wx wy < <(window_origin "$main")
    read -r cx cy < <(python3 "$here/screen.py" origin "$wx" "$wy")
    xdotool mousemove $((cx + 20)) $((cy + 18)) click 1 mousemove 5 5
    for _ in $(seq 30); do
        squares=$(python3 "$here/screen.py" board "$cx" "$cy" | grep -c . || true)
        [ "$squares" -gt 0 ] && break
        sleep 0.1
    done
    [ "$squares" -gt 0 ] || fail "$label: the started game shows nothing"
    shot "$label"
    kill -0 "$GAME_PID" 2>/dev/null || fail "$label: the program died"
    MAIN=$main
}

repeat() { local i; for i in $(seq "$2"); do printf '%s%s' "$1" "${3:-$'\r\n'}"; done; }

cases=(largest smallest past32 binary ctrlz megabyte longtokens index15)
for label in "${cases[@]}"; do
    case $label in
    largest) repeat 2147483647 41 >setdata.ini ;;
    smallest) repeat -2147483648 41 >setdata.ini ;;
    past32) repeat 99999999999999999999 41 >setdata.ini ;;
    binary) head -c 4096 /dev/urandom >setdata.ini ;;
    ctrlz) { printf '\x1a'; repeat 5 41; } >setdata.ini ;;
    megabyte) repeat 7 $((1 << 19)) ' ' >setdata.ini ;;
    longtokens) repeat "$(head -c 10000 /dev/zero | tr '\0' 9)" 41 >setdata.ini ;;
    index15) { repeat '3 3 3 0' 10; echo 15; } >setdata.ini ;;
    esac
    start_and_play "$label"
    keys_to "$MAIN" alt+F4
    expect_exit_code 0
    well_formed || fail "$label: the saved file is not 41 well-formed lines"
    echo "$label: ok"
done

# Killed in the middle of a game: the file is not touched.
repeat '3 2 2 0' 10 >setdata.ini
echo 0 >>setdata.ini
cp setdata.ini before.ini
start_and_play killed
kill -9 "$GAME_PID"
wait "$GAME_PID" 2>/dev/null || true
wineserver -k 2>/dev/null || true # the kill leaves the server with a dead client; start clean
cmp -s setdata.ini before.ini || fail "killed during play, the settings file changed"
ls setdata.ini.new 2>/dev/null && fail "a temporary file was left behind"
echo "killed: ok"
