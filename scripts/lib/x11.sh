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

# x11_start_openbox WORKDIR: starts openbox on $DISPLAY and waits until it
# manages the display (it announces frame extents), at most 30 s. Now and
# then openbox ends at start-up on a fresh display; it is then started
# again, three tries in all. Sets OPENBOX_PID; its output goes to
# WORKDIR/openbox.log.
x11_start_openbox() {
  local work="$1" try deadline
  for try in 1 2 3; do
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    OPENBOX_PID=$!
    deadline=$((SECONDS + 30))
    while kill -0 "$OPENBOX_PID" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
      if xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_FRAME_EXTENTS; then
        return 0
      fi
      sleep 0.1
    done
    kill "$OPENBOX_PID" 2>/dev/null || true
    wait "$OPENBOX_PID" 2>/dev/null || true
  done
  echo "openbox did not start managing the display $DISPLAY in three tries of 30 s: $(cat "$work/openbox.log")" >&2
  return 1
}

# wait_for SECONDS WHAT COMMAND...: runs COMMAND every tenth of a second
# until it succeeds; when the time runs out, calls the caller's own
# `fail` with "WHAT (waited SECONDS s)".
wait_for() {
  local seconds="$1" what="$2"
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$what (waited $seconds s)"
    sleep 0.1
  done
}

# x11_start_accessibility_bus WORKDIR: starts a private D-Bus session bus
# and on it the AT-SPI accessibility bus (at-spi-bus-launcher, Debian
# package at-spi2-core), and waits until both answer. Exports
# DBUS_SESSION_BUS_ADDRESS; appends the processes it starts to the caller's
# `pids` array (which the caller ends) and fails through the caller's own
# `fail`, as wait_for does. Their output goes to WORKDIR.
x11_start_accessibility_bus() {
  local work="$1" launcher=/usr/libexec/at-spi-bus-launcher
  [ -x "$launcher" ] || fail "$launcher is missing (Debian package at-spi2-core); run scripts/setup.sh test"
  dbus-daemon --session --nofork --print-address=1 >"$work/dbus-address" 2>"$work/dbus.log" &
  pids+=($!)
  wait_for 10 "the D-Bus session bus did not start" test -s "$work/dbus-address"
  DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$work/dbus-address")"
  export DBUS_SESSION_BUS_ADDRESS
  "$launcher" --launch-immediately >"$work/at-spi.log" 2>&1 &
  pids+=($!)
  wait_for 15 "the AT-SPI accessibility bus did not start" x11_accessibility_bus_answers
}
x11_accessibility_bus_answers() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress | grep -q 'unix:'
}
