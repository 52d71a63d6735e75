#!/usr/bin/env bash
# Tiled itself opens every exported level: its JSON export shows our size, layers and objects, and a map
# Tiled saved again compiles to the same level files.
source "$(dirname "$0")/lib.sh"
: "${KVB_LEVEL:?set by ctest}"
command -v tiled > /dev/null || { echo "tiled is not installed: skipped"; exit 77; }
command -v jq > /dev/null || { echo "jq is not installed: skipped"; exit 77; }
[ -f "$KVB_GAME_DIR/LevelDescriptions/Level0.xml" ] || { echo "no levels in the game folder: skipped"; exit 0; }

work="$(mktemp -d /tmp/kvbtiled-XXXXXX)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
count() { grep -c "$1" "$2" || true; }

for n in 0 1 2 3 4 5 6 7; do
  xml="$KVB_GAME_DIR/LevelDescriptions/Level$n.xml"
  "$KVB_LEVEL" export "$KVB_GAME_DIR" "$n" "$work" > /dev/null || fail "export of level $n"
  tiled --export-map json "$work/level$n.tmx" "$work/level$n.json" 2> "$work/tiled.log" ||
    { cat "$work/tiled.log"; fail "level $n: tiled --export-map json"; }
  j="$work/level$n.json"
  expect_eq "$(jq -c '[.width, .height, .tilewidth, .tileheight]' "$j")" "[256,128,16,16]" "level $n: size"
  expect_eq "$(jq -c '[.layers[].name]' "$j")" '["collision","start","finish","enemies","objects","platforms"]' \
    "level $n: layers"
  placed=$((2 + $(count '<ENEMY>' "$xml") + $(count '<OBJECT>' "$xml") + $(count '<MOVABLEEL>' "$xml")))
  expect_eq "$(jq '[.layers[] | select(.type == "objectgroup") | .objects | length] | add' "$j")" "$placed" \
    "level $n: objects"
  solid="$(tr -d '\000' < "$KVB_GAME_DIR/LevelDescriptions/Level$n.dat" | wc -c)"
  expect_eq "$(jq '[.layers[0].data[] | select(. != 0)] | length' "$j")" "$solid" "level $n: solid cells"
  expect_eq "$(jq -r '.tilesets[0].source' "$j")" "scenery$((n - n % 2)).tsx" "level $n: tileset"
  # Saved by Tiled, as a level maker's map would be.
  tiled --export-map tmx "$work/level$n.tmx" "$work/saved$n.tmx" 2> "$work/tiled.log" ||
    { cat "$work/tiled.log"; fail "level $n: tiled --export-map tmx"; }
  "$KVB_LEVEL" import "$work/saved$n.tmx" "$n" "$work/out" --data "$KVB_GAME_DIR" > /dev/null ||
    fail "level $n: the map as Tiled saved it"
  cmp -s "$work/out/LevelDescriptions/Level$n.xml" "$xml" || fail "level $n: Tiled's save gives another Level$n.xml"
  cmp -s "$work/out/LevelDescriptions/Level$n.dat" "$KVB_GAME_DIR/LevelDescriptions/Level$n.dat" ||
    fail "level $n: Tiled's save gives another Level$n.dat"
  echo "level $n: Tiled reads $placed objects and $solid solid cells; its own save compiles alike"
done
echo "tiled_export: ok"
