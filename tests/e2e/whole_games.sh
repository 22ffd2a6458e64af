# Whole games as a player plays them, through X input only: start, wait for the question, click
# boxes until the green one shows, every problem of the grade, the evaluation with the brain
# picture of the score, a grade chosen in the settings dialog, another game with the other Start
# half, and the exit button. Screenshots stay in $E2E_OUT.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.bash"

work=$(mktemp -d)
trap 'kill "$GAME_PID" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
# 10級: 3 symbols, 2 seconds, 2 problems; 9級: 2 symbols, 2 seconds, 1 problem.
rows="3 2 2 0 2 2 1 0 3 3 7 0 3 3 9 0 5 3 5 0 5 3 9 0 7 3 5 0 7 2 9 0 9 2 9 0 9 1 9 0"
printf '%s\r\n' $rows 0 >setdata.ini
start_game

board() { python3 "$here/screen.py" board "$CX" "$CY"; }
blue_pixels() { python3 "$here/screen.py" count "$CX" $((CY + 40)) 640 480 0000FF; }

# Waits until the board holds exactly $2 squares, all of kind $1.
wait_board() {
    for _ in $(seq 60); do
        [ "$(board | awk -v k="$1" '$3 == k {n++} $3 != k {n = -99} END {print n + 0}')" -eq "$2" ] &&
            return 0
        sleep 0.1
    done
    return 1
}

play_game() {
    local game=$1 symbols=$3 seconds=$4 problems=$5 misses=0 p column row kind found
    click_toolbar "$2"
    for p in $(seq "$problems"); do
        wait_board white "$symbols" || fail "game $game problem $p: symbols not shown"
        [ "$(blue_pixels)" -eq 0 ] || fail "a question while the symbols show"
        wait_board box "$symbols" || fail "game $game problem $p: symbols not covered"
        for _ in $(seq 30); do [ "$(blue_pixels)" -gt 100 ] && break; sleep 0.1; done
        [ "$(blue_pixels)" -gt 100 ] || fail "game $game problem $p: no question"
        shot "game$game-problem$p-question"
        found=0
        while read -r column row kind; do
            xdotool mousemove $((CX + column * 32 + 16)) $((CY + 40 + row * 32 + 16)) click 1
            sleep 0.3
            kind=$(board | awk -v c="$column" -v r="$row" '$1 == c && $2 == r {print $3}')
            case $kind in
            green) found=1 && break ;;
            red) misses=$((misses + 1)) ;;
            *) fail "game $game problem $p: square $column,$row shows '$kind' after a click" ;;
            esac
        done < <(board)
        [ "$found" -eq 1 ] || fail "game $game problem $p: no green box"
    done
    local dialog total shown want
    dialog=$(wait_window "あなたの脳レベルの評価" 10) || fail "game $game: no evaluation"
    sleep 0.5
    shot "game$game-evaluation"
    # The wrinkle pixels (96, 64, 0) of the brain picture that the total earns.
    total=$((4 * symbols + 3 * (10 - seconds) + 4 * problems - 5 * misses + 1))
    want=(0 1351 2630 3529 4647 6026)
    want=${want[$((total < 0 ? 0 : total > 100 ? 5 : total / 20))]}
    read -r dx dy < <(xdotool getwindowgeometry --shell "$dialog" | sed -n 's/^[XY]=//p' | paste -sd' ')
    shown=$(python3 "$here/screen.py" count "$dx" "$dy" 400 460 604000)
    [ "$shown" -eq "$want" ] || fail "game $game: $misses misses, total $total: $shown wrinkle pixels, want $want"
    keys_to "$dialog" space # OK has the focus
    wait_window "あなたの脳レベルの評価" 20 gone || fail "OK did not close the evaluation"
}

play_game 1 start 3 2 2

# 9級 in the settings dialog: the list's edit field takes the text, OK takes its first byte.
click_toolbar settings
settings=$(wait_window "ゲーム設定") || fail "no settings dialog"
keys_to "$settings" Tab ctrl+a 1 shift+Tab space
wait_window "ゲーム設定" 20 gone || fail "the settings dialog did not close"

play_game 2 start2 2 2 1

click_toolbar exit
expect_exit_code 0
values=$(tr -d '\r' <setdata.ini | tr '\n' ' ')
[ "$values" = "$rows 1 " ] || fail "setdata.ini holds '$values'"
echo "ok"
