#!/usr/bin/env bash
# Printing through a real print system: a CUPS daemon of the test's own
# (private configuration, socket and spool under a temporary folder) with a
# cups-pdf queue as its default printer. The real program runs on Xvfb; the
# print buttons of Form2 and of Form1 are clicked, and each must reach the
# queue as a PDF written by cups-pdf, not as a fallback file of the program.
# The daemon is stopped by its PID at the end, whatever happened.
#
#   test_print_cups.sh PATH/TO/ambrelo
# Exit 77 (skipped) where the daemon, the queue or Xvfb cannot be had.
set -uo pipefail

exe=${1:?usage: test_print_cups.sh PATH/TO/ambrelo}
here=$(cd "$(dirname "$0")" && pwd)

skip() {
    echo "SKIP: $*"
    exit 77
}

if [ -z "${AMBRELO_UNDER_XVFB:-}" ]; then
    for tool in xvfb-run xdotool /usr/sbin/cupsd lpadmin lpstat; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
    [ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend is not installed"
    export AMBRELO_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

# shellcheck source=xdriver.sh
source "$here/xdriver.sh"

# A short path: the daemon's socket name must fit in a sockaddr_un.
cups=$(mktemp -d /tmp/ambrelo-cups.XXXXXX)
work=$(mktemp -d)
cupsd_pid=
found_pdfs=()

stop_cupsd() {
    [ -n "$cupsd_pid" ] || return 0
    kill "$cupsd_pid" 2>/dev/null
    for _ in $(seq 100); do
        kill -0 "$cupsd_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
    cupsd_pid=
}

cleanup() {
    stop_program
    stop_cupsd
    rm -f "${found_pdfs[@]}"
    rm -rf "$cups" "$work"
}
trap cleanup EXIT

mkdir -p "$cups"/{spool,tmp,cache,state,log}
# The filters run as the unprivileged user lp and need to reach the
# daemon's temporary folder.
chmod 755 "$cups"
chmod 1777 "$cups/tmp"
cat >"$cups/cups-files.conf" <<EOF
ServerRoot $cups
RequestRoot $cups/spool
TempDir $cups/tmp
CacheDir $cups/cache
StateDir $cups/state
AccessLog $cups/log/access_log
ErrorLog $cups/log/error_log
PageLog $cups/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
EOF
cat >"$cups/cupsd.conf" <<EOF
Listen $cups/cups.sock
LogLevel info
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF

/usr/sbin/cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >"$cups/log/stdout" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER=$cups/cups.sock
unset PRINTER LPDEST
up=
for _ in $(seq 100); do
    kill -0 "$cupsd_pid" 2>/dev/null || break
    if [ -S "$CUPS_SERVER" ] && lpstat -r 2>/dev/null | grep -q 'is running'; then
        up=1
        break
    fi
    sleep 0.1
done
if [ -z "$up" ]; then
    cat "$cups/log/stdout" "$cups/log/error_log" 2>/dev/null | tail -5
    skip "the CUPS daemon could not be started here"
fi

queue=AmbreloPDF
lpadmin -p "$queue" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null ||
    skip "the cups-pdf queue could not be created"
lpadmin -d "$queue" || skip "the cups-pdf queue could not be made the default"
echo "CUPS daemon $cupsd_pid with default queue: $(lpstat -d)"

# cups-pdf writes to the job owner's ~/PDF (its configuration's "Out"), or
# to its spool for anonymous jobs.
home=$(getent passwd "$(id -un)" | cut -d: -f6)
out_dirs=("$home/PDF" "/var/spool/cups-pdf/$(id -un)" /var/spool/cups-pdf/ANONYMOUS)
stamp=$work/stamp
touch "$stamp"
sleep 1 # file times have one-second steps on some file systems

new_pdfs() {
    # cups-pdf names the file after the job title, the window's name.
    find "${out_dirs[@]}" -maxdepth 1 -name '*Form*.pdf' -newer "$stamp" 2>/dev/null | sort
}

# Waits up to 30 s for $1 jobs in all to be completed (the backend has
# finished its file) and their PDFs to be there.
wait_pdfs() {
    for _ in $(seq 300); do
        if [ "$(lpstat -W completed -o "$queue" | wc -l)" -ge "$1" ] &&
            [ "$(new_pdfs | wc -l)" -ge "$1" ]; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

cd "$work"
start_program "$exe"
wait_window Form1 || fail "Form1 did not map within 10 s"
form1=$window_id
click_twips "$form1" 4080 5100 2235 315 # Check4, case 1
click_twips "$form1" 1800 6750 1815 315 # Option1, new project
click_twips "$form1" 2040 7200 3075 390 # Command2, open
wait_window Form2 || fail "Form2 did not map after Command2"
form2=$window_id

click_twips "$form2" 2580 5100 4215 390 # Command1 of Form2, print
wait_pdfs 1 || fail "no PDF from the queue 30 s after printing Form2 ($(lpstat -W all -o))"
mapfile -t found_pdfs < <(new_pdfs)

# Form1 is under Form2 where no window manager arranges them; bring it up.
xdotool windowraise "$form1"
sleep 0.3
click_twips "$form1" 5400 7200 3075 390 # Command1 of Form1, print
wait_pdfs 2 || fail "no second PDF 30 s after printing Form1 ($(lpstat -W all -o))"
mapfile -t found_pdfs < <(new_pdfs)

for pdf in "${found_pdfs[@]}"; do
    [ "$(head -c 5 "$pdf")" = "%PDF-" ] || fail "$pdf is not a PDF"
    size=$(stat -c %s "$pdf")
    [ "$size" -gt 2000 ] || fail "$pdf holds only $size bytes, too small for a window image"
    echo "queue wrote $pdf ($size bytes)"
done
leftovers=$(find "$work" -name '*.pdf')
[ -z "$leftovers" ] || fail "the program wrote its own PDF instead of printing: $leftovers"

wait_window Form2 || fail "Form2 vanished"
xdotool windowraise "$window_id"
sleep 0.3
click_twips "$window_id" 3600 5700 2235 390 # Command3 of Form2, end
wait_exit 10 || fail "the program did not end from the end button"
[ "$exit_status" -eq 0 ] || fail "the program exited with status $exit_status"
echo "PASS: two windows printed through CUPS to cups-pdf"
