#!/usr/bin/env bash
# The real program on a real X server (Xvfb): the main window "Form1" maps
# within 10 s; ticking case 1, choosing a new project and clicking the open
# button maps "Form2"; the end button of Form2 ends the whole program, which
# exits with status 0.
#
#   test_display.sh PATH/TO/ambrelo
# Exit 77 (skipped) where Xvfb or xdotool is missing.
set -uo pipefail

exe=${1:?usage: test_display.sh PATH/TO/ambrelo}
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${AMBRELO_UNDER_XVFB:-}" ]; then
    for tool in xvfb-run xdotool; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIP: $tool is not installed (packages xvfb, xauth, xdotool)"
            exit 77
        fi
    done
    export AMBRELO_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

# shellcheck source=xdriver.sh
source "$here/xdriver.sh"

work=$(mktemp -d)
trap 'stop_program; rm -rf "$work"' EXIT
cd "$work"

start_program "$exe"
wait_window Form1 || fail "Form1 did not map within 10 s"
form1=$window_id
echo "Form1 mapped ${waited_ms} ms after start"
size=$(xdotool getwindowgeometry "$form1" | sed -n 's/.*Geometry: //p')
[ "$size" = "649x516" ] || fail "Form1 client area is $size, not 649x516"

click_twips "$form1" 4080 5100 2235 315 # Check4, case 1
click_twips "$form1" 1800 6750 1815 315 # Option1, new project
click_twips "$form1" 2040 7200 3075 390 # Command2, open
wait_window Form2 || fail "Form2 did not map after Command2"
form2=$window_id
echo "Form2 mapped"

click_twips "$form2" 3600 5700 2235 390 # Command3 of Form2, end
wait_exit 10 || fail "the program was still running 10 s after the end button"
[ "$exit_status" -eq 0 ] || fail "the program exited with status $exit_status"
echo "PASS: the program ended cleanly from the end button"
