# Helpers for the end-to-end tests: they drive the real program under X with xdotool, as a player
# would, and keep screenshots in $E2E_OUT for a person to look at.
# shellcheck shell=bash
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The factory settings file, as a first run leaves it.
DEFAULT_FILE="$E2E_DIR/../fuzz/corpus/default.ini"

shot() { import -window root "$E2E_OUT/$1.png" 2>/dev/null || true; }
# The main window's client area alone: the frame and caption are Wine's, drawn in a state that
# depends on the machine's speed. CY is the first black row, under the toolbar's two-pixel divider,
# so of the 640 x 531 client area (at 96 dpi) 529 rows are left.
client_shot() { import -window root -crop "640x529+$CX+$CY" +repage "$E2E_OUT/$1.png" 2>/dev/null || true; }
fail() { echo "FAIL: $*" >&2 && shot failure && exit 1; }

# Runs "$@" every tenth of a second until it succeeds, for up to $WAIT seconds (default 20).
wait_for() {
    for _ in $(seq $((${WAIT:-20} * 10))); do
        "$@" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# Prints the id of a visible window whose name matches $1, once there is one.
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep .; }
wait_window() { wait_for visible "$1"; }

# Gives a window the keyboard (there is no window manager to do it) and types keys to it.
keys_to() {
    local id=$1
    shift
    focused() { xdotool windowfocus "$id" && [ "$(xdotool getwindowfocus)" = "$id" ]; }
    wait_for focused || fail "window $id does not take the focus"
    xdotool key --clearmodifiers "$@"
}

# Starts the program in the current directory (its Wine process id in GAME_PID), under the locale
# GAME_LOCALE and with a limit of GAME_FILE_LIMIT blocks on the files it writes, where these are
# set, and unless told nowait, finds its main window.
start_game() {
    (
        if [ -n "${GAME_FILE_LIMIT:-}" ]; then
            trap '' XFSZ # a write past the limit then fails instead of ending the process
            ulimit -f "$GAME_FILE_LIMIT"
        fi
        exec env ${GAME_LOCALE:+LANG=$GAME_LOCALE LC_ALL=$GAME_LOCALE} wine "$E2E_EXE"
    ) &
    GAME_PID=$!
    [ "${1:-}" = nowait ] || find_main
}

# Waits for the main window (MAIN), checks its caption as text, and finds the top left corner of
# its client area on the screen (CX CY) once it is drawn.
find_main() {
    local corner caption
    MAIN=$(wait_window "瞬記盤「まばたきばん」") || fail "no main window"
    caption=$(xdotool getwindowname "$MAIN")
    [ "$caption" = "瞬記盤「まばたきばん」 Ver1.20" ] || fail "the caption reads '$caption'"
    corner=$(wait_for python3 "$E2E_DIR/screen.py" "$MAIN") || fail "the main window was not drawn"
    read -r CX CY <<<"$corner"
}

# Clicks toolbar button $1 (help or home) where the program's toolbar has it, then moves away, so
# that its tooltip does not stand over the board.
click_toolbar() {
    local at
    at=$(wine "$(dirname "$E2E_EXE")/toolbar_button.exe" "$1") || fail "no toolbar button $1"
    xdotool mousemove ${at%$'\r'} click 1 mousemove 5 5
}

# Waits for the program to end and checks its exit code; fails at once on a write-error box.
expect_exit_code() {
    local code=0
    for _ in $(seq 300); do
        kill -0 "$GAME_PID" 2>/dev/null || break
        visible "ライトエラー" >/dev/null && fail "the save failed"
        sleep 0.1
    done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the program did not end"
    wait "$GAME_PID" || code=$?
    [ "$code" -eq "$1" ] || fail "exit code $code, expected $1"
}
