#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds the game and its content, then plays or tests.
#   bash scripts/setup.sh play   - build and start the game
#   bash scripts/setup.sh build  - only build (then install: see the README)
#   bash scripts/setup.sh test   - build and run every test, then again under the sanitizers
set -euo pipefail

mode="${1:-play}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KVB_BUILD_DIR:-$here/build}"

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  libcairo2-dev libmp3lame-dev fonts-dejavu-core libfontconfig-dev libcli11-dev nlohmann-json3-dev
  libgtest-dev libbenchmark-dev libx11-dev xvfb xauth python3 xdotool x11-utils jq
  appstream desktop-file-utils dpkg-dev imagemagick
  libtinyxml2-dev zlib1g-dev tiled libinih-dev fontconfig
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$jobs"

case "$mode" in
  build) ;;
  play)
    exec "$build/game/kolvenbrook"
    ;;
  test)
    (cd "$build" && ctest --output-on-failure -j "$jobs" --timeout 900)
    # The same suite again under AddressSanitizer and UndefinedBehaviorSanitizer (KVB_SKIP_SANITIZE=1 skips it).
    if [ "${KVB_SKIP_SANITIZE:-0}" != 1 ]; then
      bash "$here/scripts/sanitize.sh"
    fi
    ;;
  *)
    echo "usage: $0 play|build|test" >&2
    exit 2
    ;;
esac
