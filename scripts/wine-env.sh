# Shell functions shared by the scripts that run Windows programs under Wine.
# Source this file; nothing runs on its own.
#
# Two architectures: i686 programs run under the 32-bit loader in a win32
# prefix, x86_64 programs under the 64-bit loader in a win64 prefix. The
# loaders are called directly: Debian's `wine` wrapper picks the 32-bit one
# whenever it is installed, even where the kernel cannot execute it.

# The Wine loader and server of an architecture.
wine_loader_of() {
  case "$1" in
    i686) echo /usr/lib/wine/wine ;;
    x86_64) echo /usr/lib/wine/wine64 ;;
    *) echo "wine: unknown architecture '$1'" >&2; return 1 ;;
  esac
}
wine_server_of() {
  case "$1" in
    i686) echo /usr/lib/wine/wineserver32 ;;
    x86_64) echo /usr/lib/wine/wineserver64 ;;
    *) echo "wine: unknown architecture '$1'" >&2; return 1 ;;
  esac
}

# True when this machine can run the architecture's Wine, found out by
# running its loader (a Linux program of that architecture). Otherwise
# WINE_ARCH_PROBLEM says why, in a few words.
WINE_ARCH_PROBLEM=""
wine_arch_runs() {
  local loader output
  loader="$(wine_loader_of "$1")" || return 1
  WINE_ARCH_PROBLEM=""
  if [ ! -x "$loader" ]; then
    WINE_ARCH_PROBLEM="$loader is not installed"
    return 1
  fi
  # In the C locale, so that the shell's reason is in English.
  if ! output="$(LC_ALL=C; "$loader" --version 2>&1 </dev/null)"; then
    WINE_ARCH_PROBLEM="this machine cannot execute its Wine ($loader: ${output##*: })"
    return 1
  fi
}

# The architecture the run and benchmark scripts use: the 32-bit product
# where this machine can run it, else the 64-bit build. Prints the reason
# for the choice on standard error.
wine_preferred_arch() {
  if wine_arch_runs i686; then
    echo i686
  else
    echo "wine: i686 cannot run here: $WINE_ARCH_PROBLEM; using x86_64" >&2
    echo x86_64
  fi
}

# Environment of every Wine call: the private prefix of the architecture, no
# debug noise, no Mono/Gecko add-ons, and the Chinese locale so that the ANSI
# code page is 936.
wine_env() {
  # Wine accepts only an absolute prefix path.
  case "$1" in
    /*) WINEPREFIX="$1" ;;
    *) WINEPREFIX="$PWD/$1" ;;
  esac
  export WINEPREFIX
  TAMVELO_ARCH="$2"
  export TAMVELO_ARCH
  WINELOADER="$(wine_loader_of "$TAMVELO_ARCH")" || return 1
  WINESERVER="$(wine_server_of "$TAMVELO_ARCH")" || return 1
  export WINELOADER WINESERVER
  if [ "$TAMVELO_ARCH" = x86_64 ]; then export WINEARCH=win64; else export WINEARCH=win32; fi
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=zh_CN.UTF-8
}

# Runs a Windows program (or a Wine tool such as cmd, reg, winepath) with
# the loader of the current architecture. Call wine_env first.
wine_run() { "$WINELOADER" "$@"; }
wine_server() { "$WINESERVER" "$@"; }

# Creates the prefix once. Unmanaged X11 windows avoid a 2-second wait on
# every hide of a top-level window when no window manager runs.
wine_prefix_ensure() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating $WINEARCH prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine_run wineboot -i >/dev/null 2>&1 </dev/null
    wine_server -w
  fi
  wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
  # Processes already running (the desktop among them) read the driver's
  # settings when they started: begin the session with a new server.
  wine_server -k >/dev/null 2>&1 || true
  wine_server -w >/dev/null 2>&1 || true
}

XVFB_PID=""
# Starts Xvfb when there is no display, with a screen of TAMVELO_SCREEN
# (width x height x depth) when set.
display_ensure() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 "${TAMVELO_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
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

display_stop() {
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
  XVFB_PID=""
}

# Starts the Wine server and its helper processes once, with their output
# going nowhere: they inherit standard output, and a runner reading a pipe
# would otherwise wait for them. keepalive_exe is a small hidden GUI program.
wine_session_start() {
  local keepalive_exe="$1"
  wine_server -p >/dev/null 2>&1 || true  # fails harmlessly when one already runs
  wine_run cmd /c exit >/dev/null 2>&1 </dev/null
  if [ -n "$keepalive_exe" ] && [ -f "$keepalive_exe" ]; then
    wine_run "$keepalive_exe" >/dev/null 2>&1 </dev/null &
  fi
}

# Ends the current prefix's Wine server and everything it runs.
wine_session_close() {
  if [ -n "${WINESERVER:-}" ]; then wine_server -k >/dev/null 2>&1 || true; fi
}

# For `trap wine_session_stop EXIT`: the Wine server, then our Xvfb.
wine_session_stop() {
  wine_session_close
  display_stop
}

# Everything a run of Windows programs from a build folder needs: the build's
# own prefix for its architecture, a display, the prefix set up, the Wine
# server and its helpers. Set `trap wine_session_stop EXIT` before calling it.
wine_session_open() {
  local build="$1" arch="$2"
  wine_env "$build/wineprefix" "$arch"
  display_ensure
  wine_prefix_ensure
  wine_session_start "$build/bin/wine-keepalive.exe"
}
