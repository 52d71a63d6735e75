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
  rm -rf "$dir"/Config.dat "$dir"/SAVE? "$dir"/Highscore.dat "$dir"/settings.ini "$dir"/screenshots
  # A folder without films (a build without content) gets a stand-in intro, so the scripts start where the
  # game does: before the intro, waiting for a key (a missing intro would go straight on to the menu).
  [ -e "$dir/intro.avi" ] || printf 'RIFF\0\0\0\0AVI LIST' > "$dir/intro.avi"
  echo "$dir"
}

# Reads the driver's JSON state lines. PATH names members and array items with dots (player.lives,
# level.enemies.0.energy); * stands for every item of an array or object, in order.
_kvb_json='
import json, sys
mode, line, path = sys.argv[1:]
def dig(value, keys):
    if not keys:
        return [value]
    key, rest = keys[0], keys[1:]
    if key == "*":
        items = value.values() if isinstance(value, dict) else value
        return [found for item in items for found in dig(item, rest)]
    return dig(value[int(key)] if isinstance(value, list) else value[key], rest)
try:
    state = json.loads(line)
except ValueError as error:
    sys.exit("not a JSON line (%s): %.300s" % (error, line))
try:
    values = dig(state, path.split("."))
except (KeyError, IndexError, TypeError, ValueError):
    if mode == "has":
        print("false")
        sys.exit(0)
    sys.exit("no %s in %.300s" % (path, line))
if mode == "has":
    print("true")
else:
    show = lambda v: v if isinstance(v, str) else json.dumps(v, ensure_ascii=False, separators=(",", ":"))
    print(" ".join(show(v) for v in values))
'
# json_get LINE PATH: the value at PATH, a string bare and anything else as compact JSON; several (from *)
# separated by blanks. Prints nothing and says why on stderr when the line is no JSON or has no such value.
json_get() { python3 -c "$_kvb_json" get "$1" "$2"; }
# json_has LINE PATH: true or false (nothing for a line that is no JSON).
json_has() { python3 -c "$_kvb_json" has "$1" "$2"; }

expect_eq() {
  [ "$1" == "$2" ] || fail "$3: expected '$2', got '$1'"
}
