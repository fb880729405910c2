# Configure and build with the MinGW toolchain of one architecture. Source
# it, then call tamvelo_build <build dir> <i686|x86_64> [cmake -D options...].
# TAMVELO_BUILD_TARGETS (blank-separated) limits the build to those targets,
# for a quick round on one area; the default builds everything.
tamvelo_build() {
  local build="$1" arch="$2"; shift 2
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" \
    -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  if [ -n "${TAMVELO_BUILD_TARGETS:-}" ]; then
    # shellcheck disable=SC2086
    cmake --build "$build" --target wine-keepalive $TAMVELO_BUILD_TARGETS -- -k 0
  else
    cmake --build "$build" -- -k 0
  fi
}

# Portal settings of the test and benchmark builds: loopback addresses.
TAMVELO_TEST_PORTAL=(
  -DTAMVELO_PORTAL_BASE_URL=http://127.0.0.1
  -DTAMVELO_PORTAL_ROOT_URL=http://127.0.0.1
  -DTAMVELO_PARTNER_HOST=partner.localhost
)
