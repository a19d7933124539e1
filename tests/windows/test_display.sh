#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a real X server (Xvfb): "Form1" maps; ticking case 1,
# choosing a new project and clicking the open button maps "Form2"; the end
# button of Form2 ends the whole program with status 0.
#   test_display.sh PATH/TO/ambrelo   (exit 77, skipped, without Xvfb or xdotool)
exe=${1:?usage: test_display.sh PATH/TO/ambrelo}
source "$(dirname "$0")/xdriver.sh"
work=$(mktemp -d)
trap 'stop_program; rm -rf "$work"' EXIT
cd "$work" || exit 1
start_program "$exe"
open_case1
end_from_form2
echo "PASS: the program ended cleanly from the end button"
