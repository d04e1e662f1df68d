#!/usr/bin/env bash
# Runs the built game in a virtual X display, takes a screenshot once its
# window is up, presses the window's close button (WM_DELETE_WINDOW, as a
# window manager would) and reports the exit code and the settings written.
#   scripts/window-check.sh [screenshot.png] [seconds-before-close] [game arguments...]
# Settings go to a fresh folder, so the player's own are never touched.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
shot="$(realpath -m "${1:-window-check.png}")"
wait_seconds="${2:-2}"
shift $(($# > 2 ? 2 : $#))

if [ -z "${ZADI_WINDOW_CHECK_INNER:-}" ]; then
  export ZADI_WINDOW_CHECK_INNER=1
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$shot" "$wait_seconds" "$@"
fi

game_dir="${ZADI_BUILD_DIR:-$root/build}/game"
data_home="$(mktemp -d)"
trap 'rm -rf "$data_home"' EXIT

cd "$game_dir"
XDG_DATA_HOME="$data_home" ./saltmere-zadi "$@" &
pid=$!

window=""
for _ in $(seq 100); do
  window="$(xdotool search --name '^Saltmere Zadi$' 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "window-check: no window appeared" >&2
  wait "$pid" || true
  exit 1
fi
xdotool getwindowgeometry "$window"
sleep "$wait_seconds"
import -window root "$shot"
echo "window-check: screenshot in $shot"

python3 - "$window" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]

display = x.XOpenDisplay(None)
event = ClientMessage()
event.type = 33  # ClientMessage
event.window = int(sys.argv[1])
event.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.format = 32
event.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x.XSendEvent(display, event.window, 0, 0, ctypes.byref(event))
x.XFlush(display)
x.XCloseDisplay(display)
PY

status=0
wait "$pid" || status=$?
echo "window-check: exit code $status"
settings="$(find "$data_home" -name settings.txt | head -1)"
if [ -n "$settings" ]; then
  echo "window-check: settings written to $settings:"
  cat "$settings"
else
  echo "window-check: no settings were written"
fi
exit "$status"
