# Configure and build with the MinGW toolchain of one architecture. Source
# it, then call tamvelo_build <build dir> <i686|x86_64> [cmake -D options...].
# TAMVELO_BUILD_TARGETS (blank-separated) limits the build to those targets,
# for a quick round on one area; the default builds everything.
tamvelo_build() {
  local build="$1" arch="$2"; shift 2
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  # The compiler cache: paths inside the checkout count from its top, so a
  # fresh clone reuses what an earlier build of the same sources compiled.
  local launcher=()
  if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" \
    -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
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
