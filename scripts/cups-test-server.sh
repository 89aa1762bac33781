#!/usr/bin/env bash
# The CUPS server of the print test: a cups-pdf queue ORVIX_PDF as the default printer, so
# the station's print path goes through a real spooler and the page comes back as a PDF
# (in cups-pdf's "Out" folder, /etc/cups/cups-pdf.conf; for root ${HOME}/PDF).
#
#   cups-test-server.sh start         starts cupsd unless one runs, adds the queue
#   cups-test-server.sh stop          removes the queue; stops cupsd when start started it
#   cups-test-server.sh run CMD...    CMD with the server: started and stopped around CMD
#                                     unless it is up already; CMD runs also when the
#                                     server cannot start (the real-printer test skips)
# Needs root or sudo (cupsd and lpadmin) and the test packages (scripts/install-deps.sh).
set -uo pipefail

QUEUE=ORVIX_PDF
PPD=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
MARK=/run/orvix-cups-test.pid   # the pid of the cupsd this script started
PREVIOUS=/run/orvix-cups-test.default  # the default printer before start, given back at stop

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if sudo -n true 2>/dev/null; then SUDO="sudo -n"; else SUDO="none"; fi
fi

scheduler_up() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
queue_default() { lpstat -d 2>/dev/null | grep -q "destination: $QUEUE\$"; }

start() {
  if [ "$SUDO" = "none" ]; then
    echo "cups-test-server: needs root or password-less sudo to run cupsd" >&2
    return 1
  fi
  command -v cupsd >/dev/null && command -v lpadmin >/dev/null || {
    echo "cups-test-server: cupsd or lpadmin missing (scripts/install-deps.sh test)" >&2
    return 1
  }
  if ! scheduler_up; then
    $SUDO cupsd || { echo "cups-test-server: cupsd did not start" >&2; return 1; }
    for _ in $(seq 50); do scheduler_up && break; sleep 0.2; done
    scheduler_up || { echo "cups-test-server: cupsd does not answer" >&2; return 1; }
    $SUDO sh -c "cat /run/cups/cupsd.pid > $MARK"
  fi
  # A machine's own default printer is given back at stop.
  if [ ! -f "$PREVIOUS" ]; then
    previous=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
    [ "$previous" = "$QUEUE" ] && previous=""
    echo "$previous" | $SUDO sh -c "cat > $PREVIOUS"
  fi
  $SUDO lpadmin -p "$QUEUE" -E -v cups-pdf:/ -m "$PPD" 2>/dev/null &&
    $SUDO lpadmin -d "$QUEUE" || { echo "cups-test-server: queue $QUEUE not added" >&2; return 1; }
  echo "cups-test-server: $QUEUE is the default printer"
}

stop() {
  [ "$SUDO" = "none" ] && return 0
  scheduler_up && lpstat -p "$QUEUE" >/dev/null 2>&1 && $SUDO lpadmin -x "$QUEUE"
  if [ -f "$PREVIOUS" ]; then
    previous=$(cat "$PREVIOUS")
    $SUDO rm -f "$PREVIOUS"
    [ -n "$previous" ] && scheduler_up && $SUDO lpadmin -d "$previous"
  fi
  if [ -f "$MARK" ]; then
    pid=$(cat "$MARK")
    $SUDO rm -f "$MARK"
    if [ -n "$pid" ] && [ -r "/proc/$pid/cmdline" ] && grep -q cupsd "/proc/$pid/cmdline"; then
      $SUDO kill "$pid"
      for _ in $(seq 50); do [ -d "/proc/$pid" ] || break; sleep 0.1; done
    fi
  fi
  return 0
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  run)
    shift
    if scheduler_up && queue_default; then
      "$@"
    else
      started=0
      if start; then started=1; else echo "cups-test-server: the real-printer test will skip" >&2; fi
      "$@"
      rc=$?
      [ "$started" -eq 1 ] && stop
      exit $rc
    fi
    ;;
  *) echo "usage: $0 start|stop|run CMD..." >&2; exit 2 ;;
esac
