#!/usr/bin/env bash
# Installs what is missing, builds the game box against the local demo
# portal, installs the skin into the data folder of a dedicated Wine prefix,
# starts the demo portal on loopback and runs tamvelo-box under Wine.
# With a display the box runs there until it quits; without one it runs
# under Xvfb, a screenshot of the main window is saved and the run ends.
# It runs the 32-bit product where this machine can execute it, otherwise the
# x86_64 build, and says which.
# Build folder: <TAMVELO_BUILD_DIR or build/run>/<architecture>.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PORTAL_PORT=8610

bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/build.sh"
source "$ROOT/scripts/wine-env.sh"
ARCH="$(wine_preferred_arch)"
BUILD="${TAMVELO_BUILD_DIR:-$ROOT/build/run}/$ARCH"
SCREENSHOT="$BUILD/tamvelo-box.png"
echo "run: architecture $ARCH"
TAMVELO_BUILD_TARGETS="tamvelo-box tamvelo-tab" tamvelo_build "$BUILD" "$ARCH" \
  -DTAMVELO_BUILD_TESTS=ON \
  -DTAMVELO_PORTAL_BASE_URL="http://127.0.0.1:$PORTAL_PORT" \
  -DTAMVELO_PORTAL_ROOT_URL="http://127.0.0.1:$PORTAL_PORT" \
  -DTAMVELO_PARTNER_HOST=pay.localhost

had_display="${DISPLAY:-}"
PORTAL_PID=""
cleanup() {
  if [ -n "$PORTAL_PID" ]; then kill "$PORTAL_PID" 2>/dev/null || true; fi
  wine_session_stop
}
trap cleanup EXIT
wine_session_open "$BUILD" "$ARCH"

# The data folder: skin layouts and images, and the folder for the INI files.
appdata="$(wine_run cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')"
data="$(wine_run winepath -u "$appdata" 2>/dev/null)/tamvelo/gamebox"
mkdir -p "$data/config"
cp -r "$ROOT/skin/xml" "$ROOT/skin/skin" "$data/"
echo "run: data folder $data"

/usr/bin/python3 "$ROOT/scripts/portal_server.py" --port "$PORTAL_PORT" &
PORTAL_PID=$!
echo "run: demo portal at http://127.0.0.1:$PORTAL_PORT/box/index.html"

cd "$BUILD/bin"
wine_run tamvelo-box.exe &
BOX_PID=$!

if [ -n "$had_display" ]; then
  wait "$BOX_PID" || true
  exit 0
fi

# Under Xvfb: wait for the main window, then take its picture.
for _ in $(seq 1 60); do
  if xdotool search --name 'tamvelo' >/dev/null 2>&1; then break; fi
  sleep 0.5
done
sleep 3
import -window root "$SCREENSHOT"
echo "run: screenshot of the running main window: $SCREENSHOT"
