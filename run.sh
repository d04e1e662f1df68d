#!/usr/bin/env bash
# Sets everything up and starts Saltmere Zadi. Arguments go to the game.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh"
game_dir="${ZADI_BUILD_DIR:-$root/build}/game"
cd "$game_dir"
exec ./saltmere-zadi "$@"
