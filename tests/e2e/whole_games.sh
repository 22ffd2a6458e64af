# Whole games as a player plays them, through X input only: start, wait for the question, click
# boxes until the green one shows (a player who does not remember), every problem of the grade,
# the evaluation with the brain picture of the score, a grade change in the settings dialog,
# another game, and the exit button. Screenshots stay in $E2E_OUT.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.bash"

work=$(mktemp -d)
trap 'kill "$GAME_PID" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
# Grade 0 (10級): 3 symbols, 2 seconds, 2 problems; grade 1 (9級): 2 symbols, 2 seconds, 1 problem.
rows="3 2 2 0 2 2 1 0 3 3 7 0 3 3 9 0 5 3 5 0 5 3 9 0 7 3 5 0 7 2 9 0 9 2 9 0 9 1 9 0"
printf '%s\r\n' $rows 0 >setdata.ini

start_game
main=$(wait_window "瞬記盤「まばたきばん」 Ver1.20") || fail "no main window"
sleep 0.5
read -r wx wy < <(window_origin "$main")
read -r cx cy < <(python3 "$here/screen.py" origin "$wx" "$wy")
echo "client area at $cx $cy"

board() { python3 "$here/screen.py" board "$cx" "$cy"; }
blue_pixels() { python3 "$here/screen.py" count "$cx" $((cy + 40)) 640 480 0000FF; }

# Waits until the board holds exactly $2 squares of kind $1 (and no other kind when $3 is set).
wait_board() {
    local kind=$1 want=$2 only=${3:-} squares
    for _ in $(seq 60); do
        squares=$(board)
        echo "$(date +%T.%N) want $want $kind: $(tr '\n' ' ' <<<"$squares")" >>"$E2E_OUT/boards.txt"
        if [ "$(awk -v k="$kind" '$3 == k' <<<"$squares" | grep -c .)" -eq "$want" ]; then
            [ -z "$only" ] || [ "$(grep -c . <<<"$squares")" -eq "$want" ] && return 0
        fi
        sleep 0.1
    done
    echo "board now:" >&2
    board >&2
    return 1
}

# Toolbar buttons in client coordinates: 39-pixel buttons from x = 3, separators of 8 pixels.
click_toolbar() {
    local x
    case $1 in
    start) x=20 ;; start2) x=60 ;; settings) x=130 ;; version) x=170 ;; exit) x=320 ;;
    esac
    xdotool mousemove $((cx + x)) $((cy + 18)) click 1
    # Away from the button, so that its tooltip does not stand over the board.
    xdotool mousemove 5 5
}

# Rank picture wrinkle pixels by score band, as drawn in the brain pictures.
wrinkles_for_total() {
    local t=$1
    if [ "$t" -lt 20 ]; then echo 0; elif [ "$t" -lt 40 ]; then echo 1351
    elif [ "$t" -lt 60 ]; then echo 2630; elif [ "$t" -lt 80 ]; then echo 3529
    elif [ "$t" -lt 100 ]; then echo 4647; else echo 6026; fi
}

play_game() {
    local game=$1 half=$2 symbols=$3 seconds=$4 problems=$5 misses=0 p
    click_toolbar "$half"
    sleep 0.3
    shot "game$game-0-started"
    for p in $(seq "$problems"); do
        wait_board white "$symbols" only || fail "game $game problem $p: symbols not shown"
        shot "game$game-problem$p-1-showing"
        [ "$(blue_pixels)" -eq 0 ] || fail "a question while the symbols show"
        wait_board box "$symbols" only || fail "game $game problem $p: symbols not covered"
        for _ in $(seq 30); do [ "$(blue_pixels)" -gt 100 ] && break; sleep 0.1; done
        [ "$(blue_pixels)" -gt 100 ] || fail "game $game problem $p: no question"
        shot "game$game-problem$p-2-question"
        local found=0 column row kind
        while read -r column row kind; do
            [ "$kind" = box ] || continue
            xdotool mousemove $((cx + column * 32 + 16)) $((cy + 40 + row * 32 + 16)) click 1
            sleep 0.3
            kind=$(board | awk -v c="$column" -v r="$row" '$1 == c && $2 == r {print $3}')
            case $kind in
            green) found=1; break ;;
            red) misses=$((misses + 1)); shot "game$game-problem$p-3-miss$misses" ;;
            *) fail "game $game problem $p: square $column,$row shows '$kind' after a click" ;;
            esac
        done < <(board)
        [ "$found" -eq 1 ] || fail "game $game problem $p: no green box"
        shot "game$game-problem$p-4-found"
    done

    local dialog total
    dialog=$(wait_window "あなたの脳レベルの評価" 10) || fail "game $game: no evaluation"
    sleep 0.5
    shot "game$game-evaluation"
    total=$((4 * symbols + 3 * (10 - seconds) + 4 * problems - 5 * misses + 1))
    read -r dx dy < <(window_origin "$dialog")
    local shown
    shown=$(python3 "$here/screen.py" count "$dx" "$dy" 400 460 604000)
    echo "game $game: $misses misses, total $total, $shown wrinkle pixels shown"
    [ "$shown" -eq "$(wrinkles_for_total "$total")" ] ||
        fail "game $game: the brain shows $shown wrinkle pixels, total $total wants $(wrinkles_for_total "$total")"
    keys_to "$dialog" space # OK has the focus
    wait_gone "あなたの脳レベルの評価" || fail "OK did not close the evaluation"
}

play_game 1 start 3 2 2

# Choose 9級 in the settings dialog: the list's edit field takes the text, OK takes its first byte.
click_toolbar settings
settings=$(wait_window "ゲーム設定") || fail "no settings dialog"
shot "settings"
keys_to "$settings" Tab ctrl+a 1 shift+Tab space
wait_gone "ゲーム設定" || fail "the settings dialog did not close"

play_game 2 start2 2 2 1

# The version button opens the About dialog; its only button closes it.
click_toolbar version
about=$(wait_window "このソフトについて") || fail "no About dialog"
sleep 0.3
shot "about"
keys_to "$about" space
wait_gone "このソフトについて" || fail "Close did not close the About dialog"

# A tooltip, for a person to look at.
xdotool mousemove $((cx + 130)) $((cy + 18))
sleep 1.5
shot "tooltip"

click_toolbar exit
expect_exit_code 0
values=$(tr -d '\r' <setdata.ini | tr '\n' ' ')
[ "$values" = "$rows 1 " ] || fail "setdata.ini holds '$values'"
echo "ok"
