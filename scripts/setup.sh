#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: install missing Debian packages, then
# configure and build into build/ (or $ZADI_BUILD_DIR). Quick when nothing
# changed: one package query, and a build that has nothing to do.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${ZADI_BUILD_DIR:-$root/build}"

say() { echo "setup: $*" >&2; }

install_missing_packages() {
  local wanted installed missing=()
  mapfile -t wanted < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$root/scripts/debian-packages.txt" | grep -v '^$')
  # One query for all of them; an unknown name simply counts as missing.
  installed="$(dpkg-query -W -f='${Package} ${Status}\n' "${wanted[@]}" 2>/dev/null |
    awk '$NF == "installed" { print $1 }' || true)"
  for package in "${wanted[@]}"; do
    if ! grep -qx -- "$package" <<<"$installed"; then
      missing+=("$package")
    fi
  done
  ((${#missing[@]})) || return 0

  say "installing ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      say "these Debian packages are missing and installing them needs root: ${missing[*]}"
      exit 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# A build folder made for another checkout or generator, or left behind by a
# configure that failed half-way, is configured afresh.
configure_if_needed() {
  local cache="$build_dir/CMakeCache.txt"
  if [ -f "$cache" ]; then
    if ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$root" "$cache" ||
      ! grep -qx "CMAKE_GENERATOR:INTERNAL=Ninja" "$cache"; then
      say "build folder $build_dir belongs to another checkout or generator; configuring it afresh"
      rm -rf "$cache" "$build_dir/CMakeFiles"
    fi
  fi
  if [ ! -f "$cache" ] || [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
}

install_missing_packages
configure_if_needed
cmake --build "$build_dir" -j "$(nproc)"
