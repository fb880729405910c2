#!/usr/bin/env bash
# Runs the tests that read the prefix's display scale again at 150 and
# 200 %. The DPI is the prefix's LogPixels, read when its Wine server
# starts, so they run in a prefix of their own, and on a screen of their own
# that is large enough for the main window at 200 %.
# Usage: display_scale_check.sh <source dir> <build dir> <architecture> <test exe>...
set -euo pipefail
source_dir="$1" build="$2" arch="$3"
shift 3
source "$source_dir/scripts/wine-env.sh"
unset DISPLAY
TAMVELO_SCREEN=2560x1600x24 display_ensure
wine_env "$build/scaled-wineprefix" "$arch"
trap wine_session_stop EXIT
wine_prefix_ensure
status=0
for dpi in 144 192; do
  wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  wine_server -k >/dev/null 2>&1 || true
  wine_server -w >/dev/null 2>&1 || true
  wine_session_start "$build/bin/wine-keepalive.exe"
  for tests in "$@"; do
    echo "== display scale: $(basename "$tests") at $dpi DPI"
    wine_run "$tests" --gtest_color=no \
      --gtest_filter='DisplayScaleTest.*:TabHostTest.JoinsTheMainWindow*' || status=1
  done
  wine_session_close
done
exit "$status"
