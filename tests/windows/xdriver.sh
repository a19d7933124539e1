# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real program on Xvfb with xdotool; sourced by the display and
# print tests, whose script it re-runs under xvfb-run (exit 77, skipped,
# without xvfb-run, xdotool or $needs). The program gets the X platform
# whatever QT_QPA_PLATFORM the caller has (offscreen for the widget tests).
set -uo pipefail
export QT_QPA_PLATFORM=xcb
if [ -z "${AMBRELO_UNDER_XVFB:-}" ]; then
    for tool in xvfb-run xdotool ${needs:-}; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
    export AMBRELO_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
prog_pid= prog_log=$(mktemp)

fail() { echo "FAIL: $*"; cat "$prog_log"; exit 1; }
# Starts the program in the background, its output in $prog_log.
start_program() { "$@" >"$prog_log" 2>&1 & prog_pid=$!; }

# Waits up to 10 s for a visible window titled exactly $1; sets window_id.
wait_window() {
    window_id=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$window_id" ]
}

# Clicks the middle of the control at left, top, width, height (twips) of
# window $1, the pointer moved there first as a user would.
click_twips() {
    xdotool mousemove --window "$1" $((($2 + $4 / 2) / 15)) $((($3 + $5 / 2) / 15))
    sleep 0.1
    xdotool click 1
    sleep 0.3
}

# Opens Form2 from Form1 (case 1, new project); sets form1 and form2.
open_case1() {
    wait_window Form1 || fail "Form1 did not map within 10 s"
    form1=$window_id
    click_twips "$form1" 4080 5100 2235 315 # Check4, case 1
    click_twips "$form1" 1800 6750 1815 315 # Option1, new project
    click_twips "$form1" 2040 7200 3075 390 # Command2, open
    wait_window Form2 || fail "Form2 did not map after Command2"
    form2=$window_id
}

# Clicks Command3 of Form2 and expects the program to end with status 0 within 10 s.
end_from_form2() {
    xdotool windowraise "$form2"
    sleep 0.3
    click_twips "$form2" 3600 5700 2235 390
    for _ in $(seq 100); do
        kill -0 "$prog_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$prog_pid" 2>/dev/null && fail "the program was still running 10 s after the end button"
    wait "$prog_pid" || fail "the program exited with status $?"
    prog_pid=
}

stop_program() { [ -n "$prog_pid" ] && kill "$prog_pid" && wait "$prog_pid"; rm -f "$prog_log"; } 2>/dev/null
