# Helpers for the end-to-end tests: they drive the real program under X with xdotool, as a player
# would, and keep screenshots in $E2E_OUT for a person to look at.
# shellcheck shell=bash
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

shot() { import -window root "$E2E_OUT/$1.png" 2>/dev/null || true; }
fail() { echo "FAIL: $*" >&2 && shot failure && exit 1; }

# Waits up to $2 seconds (default 20) until a visible window's name matches $1 (prints its id),
# or with "gone" as $3, until none does.
wait_window() {
    local id
    for _ in $(seq $((${2:-20} * 10))); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        if [ "${3:-}" = gone ]; then
            [ -z "$id" ] && return 0
        elif [ -n "$id" ]; then
            echo "$id" && return 0
        fi
        sleep 0.1
    done
    return 1
}

# Gives a window the keyboard and types keys to it (there is no window manager to do it).
keys_to() {
    local id=$1
    shift
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.2
    xdotool key --clearmodifiers "$@"
}

# Starts the program in the current directory (its Wine process id in GAME_PID), waits for its
# main window (MAIN) and finds the top left corner of its client area on the screen (CX CY).
start_game() {
    wine "$E2E_EXE" &
    GAME_PID=$!
    [ "${1:-}" = nowait ] && return 0
    MAIN=$(wait_window "瞬記盤「まばたきばん」 Ver1.20") || fail "no main window"
    sleep 0.5
    read -r CX CY < <(python3 "$E2E_DIR/screen.py" "$MAIN")
}

# Clicks a toolbar button: 39-pixel buttons from x = 3, gaps of four 8-pixel separators.
click_toolbar() {
    local x
    case $1 in
    help) x=240 ;; home) x=280 ;;
    esac
    # Then away from the button, so that its tooltip does not stand over the board.
    xdotool mousemove $((CX + x)) $((CY + 18)) click 1 mousemove 5 5
}

# Waits for the program to end and checks its exit code; fails at once on a write-error box.
expect_exit_code() {
    local code=0
    for _ in $(seq 300); do
        kill -0 "$GAME_PID" 2>/dev/null || break
        xdotool search --onlyvisible --name "ライトエラー" >/dev/null 2>&1 && fail "the save failed"
        sleep 0.1
    done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the program did not end"
    wait "$GAME_PID" || code=$?
    [ "$code" -eq "$1" ] || fail "exit code $code, expected $1"
}
