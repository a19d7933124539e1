# Driving the real ambrelo program on an X server with xdotool; sourced by
# the display and print tests. Positions are given in twips as the windows
# are laid out (15 twips = 1 pixel).

prog_pid=
exit_status=
window_id=
waited_ms=

fail() {
    echo "FAIL: $*"
    if [ -n "${prog_log:-}" ] && [ -s "$prog_log" ]; then
        echo "--- program output ---"
        cat "$prog_log"
    fi
    exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Starts the program in the background, its output in $prog_log.
start_program() {
    prog_log=$(mktemp)
    started_ms=$(now_ms)
    "$@" >"$prog_log" 2>&1 &
    prog_pid=$!
}

# Waits up to 10 s for a visible window titled exactly $1; sets window_id
# and waited_ms (since start_program).
wait_window() {
    window_id=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    waited_ms=$(($(now_ms) - started_ms))
    [ -n "$window_id" ]
}

# Clicks the middle of the control at left, top, width, height (twips) of
# window $1, with the pointer moved there first as a user would.
click_twips() {
    local wid=$1 x=$((($2 + $4 / 2) / 15)) y=$((($3 + $5 / 2) / 15))
    xdotool mousemove --window "$wid" "$x" "$y"
    sleep 0.1
    xdotool click 1
    sleep 0.3
}

# Waits up to $1 seconds for the program to end; sets exit_status.
wait_exit() {
    local deadline=$(($(date +%s) + $1))
    while kill -0 "$prog_pid" 2>/dev/null; do
        [ "$(date +%s)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
    wait "$prog_pid"
    exit_status=$?
    prog_pid=
}

stop_program() {
    if [ -n "$prog_pid" ] && kill -0 "$prog_pid" 2>/dev/null; then
        kill "$prog_pid" 2>/dev/null
        wait "$prog_pid" 2>/dev/null
    fi
    prog_pid=
    [ -n "${prog_log:-}" ] && rm -f "$prog_log"
}
