#!/usr/bin/env bash
# The setup program and its uninstaller, run silently in a fresh Wine prefix
# of this test's own (created under the build folder, removed on success).
# Usage: installer_check.sh <source root> <build folder> <architecture>
#        <setup.exe> <version> lifecycle|busy
#   lifecycle: install, start the installed box and see its skinned window,
#              install again over changed settings, uninstall keeping config\,
#              uninstall with /DELETESETTINGS.
#   busy:      with the box running, the silent installer and uninstaller fail
#              and leave the running exe untouched; with only the tab program
#              still running for 3 s, both wait for it and then do their work.
set -euo pipefail
root="$1" build="$2" arch="$3" setup="$4" version="$5" scenario="$6"

source "$root/scripts/wine-env.sh"
work="$build/installer-tests/$scenario"
rm -rf "$work"
mkdir -p "$work"
log="$work/wine.log"
wine_env "$work/wineprefix" "$arch"
# No menu entries or desktop files on the Linux side.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
if [ -z "${DISPLAY:-}" ]; then
  echo "installer: no DISPLAY; run the tests through scripts/test.sh" >&2
  exit 2
fi

box_pid=""
finish() {
  local status=$?
  if [ -n "$box_pid" ]; then kill "$box_pid" 2>/dev/null || true; fi
  wine_server -k >/dev/null 2>&1 || true
  if [ "$status" -eq 0 ]; then rm -rf "$work"; else echo "installer: prefix and wine.log kept in $work" >&2; fi
}
trap finish EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

wine_prefix_ensure >>"$log" 2>&1
# Wine links the desktop to the Linux home folder: give the prefix a real
# one so that the desktop shortcut stays inside it.
users="$WINEPREFIX/drive_c/users/$(id -un)"
if [ -L "$users/Desktop" ]; then rm "$users/Desktop" && mkdir "$users/Desktop"; fi

win() { wine_run "$@" </dev/null 2>>"$log"; }
unix_path() { win winepath -u "$1" | tr -d '\r'; }

# Wine quotes an argument holding a blank, and /D= must not be quoted.
install_win='C:\测试安装\tamvelo'
install="$(unix_path "$install_win")"
appdata="$(unix_path "$(win cmd /c echo %APPDATA% | tr -d '\r')")"
data="$appdata/tamvelo/gamebox"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\tamvelo-box'
feature_root='HKCU\Software\Microsoft\Internet Explorer\Main\FeatureControl'
product='tamvelo游戏盒子'
# The setup program's exit code when the box kept running.
exit_box_running=3

# Runs the setup program silently into the test's folder; its exit code.
run_setup() {
  local status=0
  win "$setup" /S "/D=$install_win" >>"$log" || status=$?
  return "$status"
}

# Waits until every Windows process of the prefix has ended: the
# uninstaller runs from a copy of itself and its first process returns at once.
wait_for_prefix_idle() { wine_server -w; }

# Starts the installed box and waits for its main window, whose X id goes
# into box_window.
box_window=""
start_box() {
  (cd "$install" && exec "$WINELOADER" "$install_win\\tamvelo-box.exe" >>"$log" 2>&1 </dev/null) &
  box_pid=$!
  local id="" i
  for i in $(seq 1 60); do
    # The main window is at least 800 pixels wide; message boxes are not.
    id="$(xdotool search --onlyvisible --class 'tamvelo-box' 2>/dev/null | while read -r w; do
      eval "$(xdotool getwindowgeometry --shell "$w")"
      if [ "$WIDTH" -ge 800 ]; then echo "$w"; fi
    done | head -1)" || true
    if [ -n "$id" ]; then break; fi
    sleep 0.5
  done
  [ -n "$id" ] || fail "the installed box showed no window"
  box_window="$id"
}

stop_box() {
  kill "$box_pid" 2>/dev/null || true
  wait "$box_pid" 2>/dev/null || true
  box_pid=""
  wait_for_prefix_idle
}

# A tab program that outlives the box: the installed tamvelo-tab.exe held
# open for 3 s from a second from now.
hold_tab_program() {
  (exec "$WINELOADER" "$build/bin/hold-file.exe" "$install_win\\tamvelo-tab.exe" 3000 \
     >>"$log" 2>&1 </dev/null) &
  sleep 1
}

# "r g b" of one pixel of a picture.
pixel_of() { convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)] %[fx:int(255*p{'"$2,$3"'}.g)] %[fx:int(255*p{'"$2,$3"'}.b)]' info:; }

check_installed() {
  local f
  for f in tamvelo-box.exe tamvelo-tab.exe; do
    cmp -s "$install/$f" "$build/bin/$f" || fail "$f is not the built one"
  done
  [ -f "$install/uninstall.exe" ] || fail "no uninstall.exe"
  diff -r "$root/skin/xml" "$data/xml" >/dev/null || fail "skin layouts differ from the source tree"
  diff -r "$root/skin/skin" "$data/skin" >/dev/null || fail "skin images differ from the source tree"
  [ -d "$data/config" ] || fail "no config folder in the data folder"
  local start_menu
  start_menu="$(find "$appdata" -path '*Start Menu/Programs/'"$product.lnk")"
  [ -n "$start_menu" ] || fail "no Start-menu shortcut"
  [ -f "$users/Desktop/$product.lnk" ] || fail "no desktop shortcut"
  local entry name
  entry="$(win reg query "$uninstall_key" | iconv -f GBK -t UTF-8 | tr -d '\r')"
  for name in DisplayName DisplayVersion Publisher DisplayIcon UninstallString \
              QuietUninstallString EstimatedSize NoModify NoRepair; do
    grep -q "^ *$name " <<<"$entry" || fail "uninstall entry has no $name"
  done
  grep -q "DisplayVersion *REG_SZ *$version\$" <<<"$entry" || fail "DisplayVersion is not $version"
  grep -qF "QuietUninstallString    REG_SZ    \"$install_win\\uninstall.exe\" /S" <<<"$entry" \
    || fail "QuietUninstallString does not name the installed uninstaller"
  grep -q "EstimatedSize *REG_DWORD *0x[1-9a-f]" <<<"$entry" || fail "EstimatedSize is zero"
}

# The files nothing but config\ may leave behind, listed under a folder.
remains() { (cd "$1" 2>/dev/null && find . -mindepth 1 | sort) || true; }

lifecycle() {
  local started ended
  started="$(date +%s.%N)"
  run_setup || fail "silent install exited with $?"
  ended="$(date +%s.%N)"
  echo "installer: silent install took $(awk "BEGIN { printf \"%.1f\", $ended - $started }") s"
  check_installed
  pass "silent install: programs, skin, config folder, shortcuts, uninstall entry"

  start_box
  sleep 2
  import -window "$box_window" "$work/box.png"
  eval "$(xdotool getwindowgeometry --shell "$box_window")"
  # A spot of the title band left of the logo, and the same spot of the
  # band's image, which the skin stretches over the window's width and 70 rows.
  read -r r g b <<<"$(pixel_of "$work/box.png" 6 6)"
  read -r er eg eb <<<"$(pixel_of "$data/skin/Default/mainbg.png" $((6 * 480 / WIDTH)) 12)"
  for c in "$r $er" "$g $eg" "$b $eb"; do
    set -- $c
    [ $(( $1 > $2 ? $1 - $2 : $2 - $1 )) -le 40 ] || fail "title band is $r,$g,$b, its skin image $er,$eg,$eb"
  done
  pass "installed box shows its window (${WIDTH}x${HEIGHT}) with the skin's title band ($r,$g,$b)"
  stop_box

  # The user's settings survive an update.
  local f
  for f in config.ini param.ini version.ini; do
    printf '[test]\r\nvalue=%s-kept\r\n' "$f" >"$data/config/$f"
  done
  run_setup || fail "install over the earlier one exited with $?"
  check_installed
  for f in config.ini param.ini version.ini; do
    [ "$(cat "$data/config/$f" 2>/dev/null)" = "$(printf '[test]\r\nvalue=%s-kept\r\n' "$f")" ] || fail "$f changed by the update"
  done
  pass "install over an earlier one keeps config.ini, param.ini, version.ini"

  # What the box writes at every start goes with the uninstaller; another
  # program's values beside them stay.
  local feature exe
  for feature in FEATURE_BROWSER_EMULATION FEATURE_SCRIPTURL_MITIGATION; do
    for exe in tamvelo-box.exe tamvelo-tab.exe other.exe; do
      win reg add "$feature_root\\$feature" /v "$exe" /t REG_DWORD /d 1 /f >/dev/null
    done
  done
  win "$install_win\\uninstall.exe" /S >>"$log"
  wait_for_prefix_idle
  [ ! -e "$install" ] || fail "the program folder stayed: $(remains "$install" | tr '\n' ' ')"
  [ "$(remains "$data")" = "$(printf './config\n./config/config.ini\n./config/param.ini\n./config/version.ini')" ] \
    || fail "the data folder holds more than config: $(remains "$data" | tr '\n' ' ')"
  [ -z "$(find "$appdata" "$users/Desktop" -name "$product.lnk")" ] || fail "a shortcut stayed"
  if win reg query "$uninstall_key" >/dev/null; then fail "the uninstall entry stayed"; fi
  local features
  for feature in FEATURE_BROWSER_EMULATION FEATURE_SCRIPTURL_MITIGATION; do
    features="$(win reg query "$feature_root\\$feature" | tr -d '\r')"
    if grep -q 'tamvelo-' <<<"$features"; then fail "$feature values of the programs stayed"; fi
    grep -q 'other.exe' <<<"$features" || fail "another program's $feature value went too"
  done
  pass "silent uninstall leaves only config\\ and other programs' values"

  run_setup || fail "install after the uninstall exited with $?"
  win "$install_win\\uninstall.exe" /S /DELETESETTINGS >>"$log"
  wait_for_prefix_idle
  [ ! -e "$install" ] || fail "the program folder stayed"
  [ ! -e "$appdata/tamvelo" ] || fail "the data folder stayed: $(remains "$appdata/tamvelo" | tr '\n' ' ')"
  pass "uninstall with /DELETESETTINGS leaves nothing"
}

busy() {
  run_setup || fail "silent install exited with $?"
  start_box
  local before status=0
  before="$(md5sum <"$install/tamvelo-box.exe")"
  touch -d '2001-01-01' "$install/tamvelo-box.exe"
  local started=$SECONDS
  run_setup || status=$?
  echo "installer: the silent installer ended after $((SECONDS - started)) s with $status"
  [ "$status" -eq "$exit_box_running" ] || fail "the silent installer exited with $status while the box ran"
  [ "$(md5sum <"$install/tamvelo-box.exe")" = "$before" ] || fail "the running exe was changed"
  [ "$(date -r "$install/tamvelo-box.exe" +%Y)" = 2001 ] || fail "the running exe was rewritten"
  pass "silent installer exits with $status while the box runs, exe untouched"

  # Run in place (_?=) so that its exit code is the uninstaller's own.
  status=0
  win "$install_win\\uninstall.exe" /S "_?=$install_win" >>"$log" || status=$?
  [ "$status" -eq "$exit_box_running" ] || fail "the silent uninstaller exited with $status while the box ran"
  [ -f "$install/tamvelo-box.exe" ] && [ -d "$data/skin" ] || fail "the uninstaller removed files while the box ran"
  pass "silent uninstaller exits with $status while the box runs, nothing removed"
  stop_box

  # The box has quit, and its tab program holds its file 3 s longer.
  touch -d '2001-01-01' "$install/tamvelo-tab.exe"
  hold_tab_program
  started=$SECONDS
  run_setup || fail "the silent installer exited with $? while the tab program ended"
  cmp -s "$install/tamvelo-tab.exe" "$build/bin/tamvelo-tab.exe" && [ "$(date -r "$install/tamvelo-tab.exe" +%Y)" != 2001 ] \
    || fail "tamvelo-tab.exe was not replaced once it was let go"
  pass "silent installer waits $((SECONDS - started)) s for the tab program, then replaces it"
  wait_for_prefix_idle

  hold_tab_program
  status=0
  win "$install_win\\uninstall.exe" /S "_?=$install_win" >>"$log" || status=$?
  [ "$status" -eq 0 ] || fail "the silent uninstaller exited with $status while the tab program ended"
  [ ! -e "$install/tamvelo-tab.exe" ] || fail "the uninstaller left tamvelo-tab.exe behind"
  pass "silent uninstaller waits for the tab program, then removes it"
}

case "$scenario" in
  lifecycle) lifecycle ;;
  busy) busy ;;
  *) echo "installer: unknown scenario '$scenario'" >&2; exit 2 ;;
esac
