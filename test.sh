#!/usr/bin/env bash
# Sets everything up and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh"
build_dir="${ZADI_BUILD_DIR:-$root/build}"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
