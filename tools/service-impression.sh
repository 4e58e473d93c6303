# Sourced by the test commands: the print test needs the print service and its PDF queue.
# Starts cupsd when none runs (and stops it again when the sourcing script ends), adds the
# queue once.
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
cupsd_pid=""
stop_cupsd() {
  if [ -n "$cupsd_pid" ]; then
    $sudo kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
  fi
}
trap stop_cupsd EXIT
scheduler_running() { [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }
if ! scheduler_running; then
  $sudo /usr/sbin/cupsd -f >/dev/null 2>&1 &
  cupsd_pid=$!
  for _ in $(seq 50); do scheduler_running && break; sleep 0.2; done
fi
if ! lpstat -v LintracePDF >/dev/null 2>&1; then
  $sudo lpadmin -p LintracePDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2> >(grep -v "deprecated" >&2)
fi
