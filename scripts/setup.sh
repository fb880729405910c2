#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need, only
# when something is missing. Safe to run again; works as root or with sudo.
#
# Two sets of packages, installed apart so that one cannot block the other:
# - required: the build of both architectures, the x86_64 tests, the fuzz
#   smoke and the installer. One of them that cannot be installed fails the
#   set-up, naming the package and apt's reason;
# - optional: the 32-bit Wine. It is of use only where the kernel executes
#   32-bit x86 programs, which is found out by running one before anything
#   is installed; elsewhere the i386 architecture is not even added. Where it
#   cannot be installed, the i686 test run is skipped with that reason.
# A package index that fails to refresh (a mirror re-sync, a source out of
# reach) is retried, then reported in one line; the lists at hand serve.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

REQUIRED=(
  cmake ninja-build ccache
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-tools
  wine wine64
  xvfb xauth x11-utils
  googletest
  fonts-wqy-microhei locales
  python3 python3-pil
  imagemagick x11-apps xdotool
  curl
  nsis
  clang-14 libclang-rt-14-dev
)
OPTIONAL_I386=(wine32:i386)

APT_OPTIONS=(-o DPkg::Lock::Timeout=300 -o Acquire::http::Timeout=30 -o Acquire::Retries=2)

is_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing_of() {
  local p
  for p in "$@"; do is_installed "$p" || echo "$p"; done
}

# True when the kernel executes 32-bit x86 Linux programs: runs a 95-byte
# static i386 ELF that only calls exit(7). Needs nothing installed.
runs_i386() {
  local probe status=0
  probe="$(mktemp)"
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
  printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000' >>"$probe"
  printf '\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010' >>"$probe"
  printf '\000\200\004\010\137\000\000\000\137\000\000\000\005\000\000\000' >>"$probe"
  printf '\000\020\000\000\061\333\263\007\270\001\000\000\000\315\200' >>"$probe"
  chmod +x "$probe"
  "$probe" >/dev/null 2>&1 || status=$?
  rm -f "$probe"
  [ "$status" -eq 7 ]
}

# Refreshes the package lists once per run, retried a few times. Lists that
# still fail are named in one line; set-up goes on with the lists it has.
# apt-get exits 0 when a source cannot be reached and 100 when a list is
# broken: both are read from its messages.
INDEX_REFRESHED=0
refresh_index() {
  [ "$INDEX_REFRESHED" -eq 0 ] || return 0
  INDEX_REFRESHED=1
  local attempt log status failures
  log="$(mktemp)"
  for attempt in 1 2 3; do
    status=0
    $SUDO apt-get "${APT_OPTIONS[@]}" update -q >"$log" 2>&1 || status=$?
    if [ "$status" -eq 0 ] && ! grep -qE '^(E: |W: Failed to fetch|W: Some index files failed)' "$log"; then
      rm -f "$log"
      return 0
    fi
    [ "$attempt" -eq 3 ] || sleep 5
  done
  failures="$(grep -E '^(E: |W: Failed to fetch )' "$log" | grep -v 'Some index files failed' |
              sed -E 's/^(W|E): (Failed to fetch )?//; s/  +/ /g' | head -3 | paste -sd ';' -)"
  rm -f "$log"
  echo "setup: warning: the package index did not refresh completely (${failures:-apt-get update exited with $status}); going on with the lists at hand"
}

# Installs packages in one transaction. On failure prints, for each package
# that apt cannot install on its own, its name and apt's reason.
install_packages() {
  local log p reason
  log="$(mktemp)"
  if $SUDO apt-get "${APT_OPTIONS[@]}" install -y -qq --no-install-recommends "$@" >"$log" 2>&1; then
    rm -f "$log"
    return 0
  fi
  for p in "$@"; do
    if ! $SUDO apt-get "${APT_OPTIONS[@]}" install -s -qq --no-install-recommends "$p" >"$log" 2>&1; then
      reason="$(grep -E '^E: |Depends:|but it is not' "$log" | sed -E 's/^E: //; s/^ +//' | head -3 | paste -sd ';' -)"
      INSTALL_FAILURES+=("$p: ${reason:-apt-get failed}")
    fi
  done
  # The transaction failed although each package alone would install: say
  # what apt said about the whole.
  if [ ${#INSTALL_FAILURES[@]} -eq 0 ]; then
    INSTALL_FAILURES+=("$*: $(grep -E '^E: ' "$log" | head -1 || true)")
  fi
  rm -f "$log"
  return 1
}

mapfile -t missing < <(missing_of "${REQUIRED[@]}")
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  refresh_index
  INSTALL_FAILURES=()
  if ! install_packages "${missing[@]}"; then
    for failure in "${INSTALL_FAILURES[@]}"; do echo "setup: cannot install $failure" >&2; done
    echo "setup: FAILED: required packages are missing" >&2
    exit 1
  fi
fi

# The 32-bit Wine, only where it can run.
if ! runs_i386; then
  echo "setup: this machine cannot execute 32-bit x86 programs: the 32-bit Wine is not installed and i686 is only built"
else
  mapfile -t missing < <(missing_of "${OPTIONAL_I386[@]}")
  if [ ${#missing[@]} -gt 0 ]; then
    # wine32 is an i386 package: without that architecture dpkg cannot see it.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      $SUDO dpkg --add-architecture i386
      INDEX_REFRESHED=0
    fi
    echo "setup: installing ${missing[*]}"
    refresh_index
    INSTALL_FAILURES=()
    if ! install_packages "${missing[@]}"; then
      echo "setup: warning: the 32-bit Wine could not be installed (${INSTALL_FAILURES[*]}); the i686 tests will be skipped"
    fi
  fi
fi

# The tests run with the Chinese locale so that Wine's ANSI code page is 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  echo "setup: generating locale zh_CN.UTF-8"
  $SUDO localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

echo "setup: ok"
