#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Printing through a real print system: a CUPS daemon of the test's own
# (configuration, socket and spool in a temporary folder) with a cups-pdf
# queue as its default printer. The real program runs on Xvfb; the print
# buttons of Form2 and Form1 are clicked, and each must reach the queue as a
# PDF written by cups-pdf, not as a fallback file of the program.
#   test_print_cups.sh PATH/TO/ambrelo   (exit 77, skipped, where the daemon,
#                                         the queue or Xvfb cannot be had)
exe=${1:?usage: test_print_cups.sh PATH/TO/ambrelo}
skip() { echo "SKIP: $*"; exit 77; }
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend is not installed"
needs="/usr/sbin/cupsd lpadmin lpstat"
source "$(dirname "$0")/xdriver.sh"

# A short path: the daemon's socket name must fit in a sockaddr_un.
cups=$(mktemp -d /tmp/ambrelo-cups.XXXXXX) work=$(mktemp -d) cupsd_pid= found=()
cleanup() {
    stop_program
    [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid"
    rm -rf "${found[@]}" "$cups" "$work"
}
trap cleanup EXIT
mkdir -p "$cups"/{spool,tmp,cache,state,log} && chmod 755 "$cups" && chmod 1777 "$cups/tmp" # for lp
printf '%s\n' "ServerRoot $cups" "RequestRoot $cups/spool" "TempDir $cups/tmp" \
    "CacheDir $cups/cache" "StateDir $cups/state" "ErrorLog $cups/log/error_log" \
    "AccessLog $cups/log/access_log" "PageLog $cups/log/page_log" \
    "ServerBin /usr/lib/cups" "DataDir /usr/share/cups" >"$cups/cups-files.conf"
printf '%s\n' "Listen $cups/cups.sock" "LogLevel info" "WebInterface No" "Browsing No" \
    "DefaultAuthType None" "<Location />" "Order allow,deny" "Allow all" "</Location>" \
    "<Location /admin>" "Order allow,deny" "Allow all" "</Location>" \
    "<Policy default>" "<Limit All>" "Order deny,allow" "</Limit>" "</Policy>" >"$cups/cupsd.conf"
/usr/sbin/cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >"$cups/log/stdout" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER=$cups/cups.sock
unset PRINTER LPDEST
up() { lpstat -r 2>/dev/null | grep -q 'is running'; }
for _ in $(seq 100); do up && break; sleep 0.1; done
up || skip "the CUPS daemon could not be started here"
queue=AmbreloPDF
lpadmin -p "$queue" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null &&
    lpadmin -d "$queue" || skip "the cups-pdf queue could not be set up"

# cups-pdf writes to the job owner's ~/PDF, or its spool for anonymous jobs,
# named after the job title (the window's name).
out_dirs=("$(getent passwd "$(id -un)" | cut -d: -f6)/PDF" "/var/spool/cups-pdf/$(id -un)"
    /var/spool/cups-pdf/ANONYMOUS)
touch "$work/stamp" && sleep 1 # file times have one-second steps on some file systems
new_pdfs() { find "${out_dirs[@]}" -maxdepth 1 -name '*Form*.pdf' -newer "$work/stamp" 2>/dev/null; }
# Waits up to 30 s for $1 completed jobs and their PDFs.
wait_pdfs() {
    for _ in $(seq 300); do
        [ "$(lpstat -W completed -o "$queue" | wc -l)" -ge "$1" ] &&
            [ "$(new_pdfs | wc -l)" -ge "$1" ] && return 0
        sleep 0.1
    done
    fail "fewer than $1 PDFs from the queue after 30 s ($(lpstat -W all -o))"
}

cd "$work" || exit 1
start_program "$exe"
open_case1
click_twips "$form2" 2580 5100 4215 390 # Command1 of Form2, print
wait_pdfs 1
xdotool windowraise "$form1" && sleep 0.3 # under Form2 without a window manager
click_twips "$form1" 5400 7200 3075 390 # Command1 of Form1, print
wait_pdfs 2
mapfile -t found < <(new_pdfs)
for pdf in "${found[@]}"; do
    size=$(stat -c %s "$pdf")
    [ "$(head -c 5 "$pdf")" = "%PDF-" ] && [ "$size" -gt 2000 ] || fail "$pdf: no window image"
done
[ -z "$(find "$work" -name '*.pdf')" ] || fail "the program wrote its own PDF instead of printing"
end_from_form2
echo "PASS: two windows printed through CUPS to cups-pdf"
