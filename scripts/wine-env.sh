# Shell functions shared by the scripts that run Windows programs under Wine.
# Source this file; nothing runs on its own.

# Environment of every Wine call: the private 32-bit prefix, no debug noise,
# no Mono/Gecko add-ons, and the Chinese locale so that the ANSI code page is 936.
wine_env() {
  export WINEPREFIX="$1"
  export WINEARCH=win32
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=zh_CN.UTF-8
}

# Creates the prefix once. Unmanaged X11 windows avoid a 2-second wait on
# every hide of a top-level window when no window manager runs.
wine_prefix_ensure() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # Processes already running (the desktop among them) read the driver's
  # settings when they started: begin the session with a new server.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

XVFB_PID=""
# Starts Xvfb when there is no display.
display_ensure() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return
    sleep 0.1
  done
  echo "display: Xvfb did not start" >&2
  return 1
}

# Starts the Wine server and its helper processes once, with their output
# going nowhere: they inherit standard output, and a runner reading a pipe
# would otherwise wait for them. keepalive_exe is a small hidden GUI program.
wine_session_start() {
  local keepalive_exe="$1"
  wineserver -p >/dev/null 2>&1 || true  # fails harmlessly when one already runs
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  if [ -n "$keepalive_exe" ] && [ -f "$keepalive_exe" ]; then
    wine "$keepalive_exe" >/dev/null 2>&1 </dev/null &
  fi
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}

# Everything a run of Windows programs from a build folder needs: the build's
# own prefix, a display, the prefix set up, the Wine server and its helpers.
# Set `trap wine_session_stop EXIT` before calling it.
wine_session_open() {
  local build="$1"
  wine_env "$build/wineprefix"
  display_ensure
  wine_prefix_ensure
  wine_session_start "$build/bin/wine-keepalive.exe"
}
