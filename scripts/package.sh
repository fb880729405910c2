#!/usr/bin/env bash
# Installs what is missing, then builds both setup programs into dist/:
#   tamvelo-box-setup-<version>.exe      the 32-bit product (i686 build)
#   tamvelo-box-setup-<version>-x64.exe  the x86_64 build
# against the product's portal settings (the CMake defaults).
# Build folders: <TAMVELO_BUILD_DIR or build/package>/<architecture>.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="${TAMVELO_BUILD_DIR:-$ROOT/build/package}"

bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/build.sh"
unset TAMVELO_BUILD_TARGETS
for arch in i686 x86_64; do
  echo "== package: $arch"
  tamvelo_build "$BUILD_ROOT/$arch" "$arch" -DTAMVELO_BUILD_TESTS=OFF -DTAMVELO_DIST_DIR="$ROOT/dist"
done
echo "package: setup programs in $ROOT/dist:"
ls -l "$ROOT"/dist/tamvelo-box-setup-*.exe
