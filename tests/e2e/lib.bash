# Helpers for the end-to-end tests: they drive the real program under X with xdotool, as a player
# would, and keep screenshots in $E2E_OUT for a person to look at.
# shellcheck shell=bash

fail() {
    echo "FAIL: $*" >&2
    shot "failure"
    exit 1
}

shot() { import -window root "$E2E_OUT/$1.png" 2>/dev/null || true; }

# Waits up to $2 seconds (default 20) for a visible window whose name matches $1; prints its id.
wait_window() {
    local name=$1 limit=${2:-20} id
    for _ in $(seq $((limit * 10))); do
        id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Waits until no visible window matches $1.
wait_gone() {
    local name=$1 limit=${2:-20}
    for _ in $(seq $((limit * 10))); do
        xdotool search --onlyvisible --name "$name" >/dev/null 2>&1 || return 0
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

# Clicks at x y inside window $1.
click_in() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# The colour of one screen pixel as RRGGBB.
pixel_at() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -n 1 |
        sed -E 's/.*#([0-9A-Fa-f]{6}).*/\1/' | tr 'a-f' 'A-F'
}

# Top-left corner of a window on the screen: "x y".
window_origin() {
    xdotool getwindowgeometry --shell "$1" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}'
}

# Starts the program in the current directory; its Wine process id is in GAME_PID.
start_game() {
    wine "$E2E_EXE" &
    GAME_PID=$!
}

# Waits for the program to end and checks its exit code.
expect_exit_code() {
    local want=$1 code=0
    for _ in $(seq 300); do
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the program did not end"
    wait "$GAME_PID" || code=$?
    [ "$code" -eq "$want" ] || fail "exit code $code, expected $want"
}
