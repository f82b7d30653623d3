#!/usr/bin/env bash
# Starts or stops the CUPS server and the CUPS-PDF queue "PDF" that the print tests print to.
# Usage: scripts/cups-test-printer.sh start|stop
# There is no service manager on the build machines, so cupsd is started by hand and stopped by the pid
# it writes. Both commands are idempotent: start uses a server that already answers and adds the queue
# only when it is missing; stop ends only a server that this script started. Printed files land in
# CUPS-PDF's output folder (~/PDF of the user who prints).
set -euo pipefail

pid_file=/run/cups/cupsd.pid
marker=/run/cups/handvise-test-printer # present while the running cupsd is the one this script started
queue=PDF

answers() { lpstat -r 2>/dev/null | grep -q 'is running'; }

wait_until() { # wait_until <seconds> <command...>
  local tries=$(($1 * 10))
  shift
  while ((tries-- > 0)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

as_root() {
  if [[ $EUID -eq 0 ]]; then
    "$@"
  elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    sudo "$@"
  else
    return 1
  fi
}

# Print tests add queues of their own named handvise-throwaway-<pid>-<random> and delete them when
# done; a test that crashed leaves its queue behind, which goes once its process is gone.
remove_leftover_queues() {
  local leftover pid
  for leftover in $(lpstat -e 2>/dev/null | grep '^handvise-throwaway-[0-9][0-9]*-' || true); do
    pid=${leftover#handvise-throwaway-}
    pid=${pid%%-*}
    [[ -d /proc/$pid ]] || as_root lpadmin -x "$leftover" || true
  done
}

start() {
  if ! command -v cupsd >/dev/null && [[ ! -x /usr/sbin/cupsd ]]; then
    echo "cups-test-printer: CUPS is not installed; the print tests will skip" >&2
    return 0
  fi
  if ! answers; then
    if ! as_root mkdir -p /run/cups; then
      echo "cups-test-printer: need root to start cupsd; the print tests will skip" >&2
      return 0
    fi
    as_root /usr/sbin/cupsd # daemonises once it listens
    as_root touch "$marker"
    if ! wait_until 20 answers; then
      echo "cups-test-printer: cupsd did not answer" >&2
      return 1
    fi
  fi
  remove_leftover_queues
  if ! lpstat -p "$queue" >/dev/null 2>&1; then
    as_root lpadmin -p "$queue" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
  fi
  # The queue may have been left stopped or rejecting by an earlier failed job.
  as_root cupsenable "$queue" || true
  as_root cupsaccept "$queue" || true
  # On a server of our own the queue is the default printer; a desktop's own default stays as it is.
  if [[ -f $marker ]]; then
    lpstat -d 2>/dev/null | grep -q "destination: $queue\$" || as_root lpadmin -d "$queue"
  fi
  echo "cups-test-printer: queue $queue ready"
}

stop() {
  [[ -f $marker ]] || return 0
  if [[ -f $pid_file ]]; then
    local pid
    pid=$(cat "$pid_file")
    if kill -0 "$pid" 2>/dev/null; then
      as_root kill "$pid"
      wait_until 10 bash -c "! kill -0 $pid 2>/dev/null" || as_root kill -9 "$pid" 2>/dev/null || true
    fi
  fi
  as_root rm -f "$marker"
  echo "cups-test-printer: stopped"
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
