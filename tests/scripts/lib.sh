# Helpers for the driver script tests (sourced, not run).
set -euo pipefail

: "${KVB_PLAY:?set by ctest}"
: "${KVB_GAME_DIR:?set by ctest}"

fail() { echo "FAIL: $*" >&2; exit 1; }

# A scratch copy of the game folder, so saves and settings of a test stay in it.
make_game_copy() {
  local dir
  dir="$(mktemp -d /tmp/kvbscript-XXXXXX)"
  cp -r "$KVB_GAME_DIR"/. "$dir"/ 2>/dev/null || true
  rm -f "$dir"/Config.dat "$dir"/SAVE? "$dir"/Highscore.dat
  echo "$dir"
}

# json_get LINE KEY: the raw value of a top-level or nested "key": in one JSON line (first match).
json_get() {
  printf '%s' "$1" | grep -o "\"$2\":[^,}]*" | head -n1 | cut -d: -f2-
}

expect_eq() {
  [ "$1" == "$2" ] || fail "$3: expected '$2', got '$1'"
}
