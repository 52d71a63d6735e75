#!/usr/bin/env bash
# kolvenbrook-level: every shipped level goes to a Tiled map and back to the same bytes (the game folder's
# level files are the text maps compiled, so a text map and its Tiled export compile alike); a map with one
# mistake is refused with one line by the importer and by the checker; `play` starts the game in the level.
source "$(dirname "$0")/lib.sh"
: "${KVB_LEVEL:?set by ctest}" "${KVB_CHECK:?set by ctest}"
[ -f "$KVB_GAME_DIR/LevelDescriptions/Level0.xml" ] || { echo "no levels in the game folder: skipped"; exit 0; }

work="$(mktemp -d /tmp/kvblevel-XXXXXX)"
trap 'rm -rf "$work"' EXIT

for n in 0 1 2 3 4 5 6 7; do
  "$KVB_LEVEL" export "$KVB_GAME_DIR" "$n" "$work/maps" > /dev/null || fail "export of level $n"
  "$KVB_LEVEL" import "$work/maps/level$n.tmx" "$n" "$work/out" --data "$KVB_GAME_DIR" > /dev/null ||
    fail "import of level $n"
  for ext in xml dat; do
    cmp -s "$work/out/LevelDescriptions/Level$n.$ext" "$KVB_GAME_DIR/LevelDescriptions/Level$n.$ext" ||
      fail "level $n: Level$n.$ext differs after export and import"
  done
done
[ -f "$work/maps/scenery6.tsx" ] && [ -f "$work/maps/scenery6.png" ] || fail "no scenery tileset beside the maps"
echo "round trips: 8 levels, byte for byte"

# One mistake each in level 0's map: what to change (a sed script) and the line expected.
cases=(
  "unknown unit type|0,/type=\"\\([A-Z]*\\)\" x=\"\\([0-9]*\\)\" y=\"\\([0-9]*\\)\">/s//type=\"NOSUCHUNIT\" x=\"\\2\" y=\"\\3\">/|no unit type 'NOSUCHUNIT'"
  "object out of reach|0,/\\(type=\"SILVERCOIN\"\\) x=\"[0-9]*\" y=\"[0-9]*\"/s//\\1 x=\"2000\" y=\"48\"/|out of the hero's reach"
  "finish missing|/<object id=\"2\" name=\"finish\"/,/<\\/object>/d|the layer 'finish' must hold one point"
  "route of one point|0,/<polyline points=\"[^\"]*\"\\/>/s//<polyline points=\"0,0\"\\/>/|has a route of one point"
  "a layer missing|/<objectgroup id=\"2\"/,/<\\/objectgroup>/d|no object layer 'start'"
  "wrong tile size|0,/tilewidth=\"16\" tileheight=\"16\"/s//tilewidth=\"32\" tileheight=\"32\"/|tiles are 32 x 32 pixels"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r what script expected <<< "$entry"
  sed "$script" "$work/maps/level0.tmx" > "$work/maps/broken.tmx"
  cmp -s "$work/maps/broken.tmx" "$work/maps/level0.tmx" && fail "$what: the edit changed nothing"
  for tool in import check; do
    if [ "$tool" = import ]; then
      set +e; out="$("$KVB_LEVEL" import "$work/maps/broken.tmx" 0 "$work/refused" --data "$KVB_GAME_DIR" 2>&1)"; rc=$?; set -e
    else
      set +e; out="$("$KVB_CHECK" --map "$work/maps/broken.tmx" "$KVB_GAME_DIR" 2>/dev/null)"; rc=$?; set -e
    fi
    expect_eq "$rc" 1 "$what: $tool exit code"
    expect_eq "$(printf '%s\n' "$out" | wc -l)" 1 "$what: $tool lines ($out)"
    [[ "$out" == *"broken.tmx"*"$expected"* ]] || fail "$what: $tool said '$out', not '$expected'"
  done
  echo "$what: $out"
done
[ ! -e "$work/refused" ] || fail "a refused map wrote files"

# play: compiles into the folder, then starts the game found there with --level.
play="$work/playdir"
mkdir -p "$play"
printf '#!/bin/sh\necho "$@" > "%s/started"\n' "$play" > "$play/kolvenbrook"
chmod +x "$play/kolvenbrook"
"$KVB_LEVEL" play "$work/maps/level5.tmx" 5 "$play" --data "$KVB_GAME_DIR" > /dev/null || fail "play"
cmp -s "$play/LevelDescriptions/Level5.xml" "$KVB_GAME_DIR/LevelDescriptions/Level5.xml" || fail "play: Level5.xml"
expect_eq "$(cat "$play/started")" "--level 5" "play: the game's arguments"
echo "level_tool: ok"
