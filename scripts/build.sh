# Configure and build with the MinGW toolchain. Source it, then call
# tamvelo_build <build dir> [cmake -D options...].
tamvelo_build() {
  local build="$1"; shift
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" \
    -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$build" -- -k 0
}
