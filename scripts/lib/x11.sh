# Sourced by the scripts that start the program on a virtual X display
# (scripts/desktop-check.sh, scripts/package-check.sh, bench/startup_xvfb.sh).
# Each function prints why it failed on standard error and returns 1.

# x11_start_xvfb WORKDIR SCREEN [XVFB ARGUMENTS...]: starts Xvfb on a free
# display that it picks itself (-displayfd), screen SCREEN (e.g. 1600x900x24),
# and waits up to 10 s until the display answers. Sets DISPLAY (exported) and
# XVFB_PID; the caller ends Xvfb by that id. Its output goes to WORKDIR/xvfb.log.
x11_start_xvfb() {
  local work="$1" screen="$2"
  shift 2
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local deadline=$((SECONDS + 10))
  until [ -s "$work/display" ]; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
      echo "Xvfb did not report its display number within 10 s: $(cat "$work/xvfb.log")" >&2
      return 1
    fi
    sleep 0.1
  done
  DISPLAY=":$(head -n1 "$work/display")"
  export DISPLAY
  until xwininfo -root >/dev/null 2>&1; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "the display $DISPLAY does not answer after 10 s" >&2
      return 1
    fi
    sleep 0.1
  done
}

# x11_wait_window PID SECONDS [LOG]: waits until the process PID shows a
# visible window, at most SECONDS. Sets WINDOW to its id. Fails when the
# process ends first or the time runs out, with LOG (the program's output,
# when given) in the message.
x11_wait_window() {
  local pid="$1" seconds="$2" log="${3:-}"
  local deadline=$((SECONDS + seconds))
  WINDOW=""
  until WINDOW="$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1)" && [ -n "$WINDOW" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "the program ended before showing a window${log:+: $(cat "$log")}" >&2
      return 1
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "the program showed no window within $seconds s${log:+: $(cat "$log")}" >&2
      return 1
    fi
    sleep 0.01
  done
}
