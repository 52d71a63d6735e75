#!/usr/bin/env bash
# The level compiler refuses broken levels; the shipped levels check out against the game folder's units,
# objects and platform kinds, and in every level the hero starts standing still on the ground where the
# level file puts him.
source "$(dirname "$0")/lib.sh"

[ -n "${KVB_ASSETGEN_LEVELS:-}" ] || { echo "level compiler not built: skipped"; exit 0; }

"$KVB_ASSETGEN_LEVELS" --self-test || fail "assetgen-levels --self-test"
[ -f "$KVB_GAME_DIR/LevelDescriptions/Level0.xml" ] || { echo "no levels in the game folder: skipped"; exit 0; }

"$KVB_ASSETGEN_LEVELS" --check "$KVB_GAME_DIR" || fail "assetgen-levels --check"

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT

# A save slot: six little-endian 32-bit numbers (nextLevel health lives score money strength); here the
# level to go on with (1..7), 100, 3, 0, 0 and 40.
write_slot() {
  printf "\\x0$2\\x00\\x00\\x00\\x64\\x00\\x00\\x00\\x03\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x28\\x00\\x00\\x00" >"$1"
}

for n in 0 1 2 3 4 5 6 7; do
  start="$(grep -o '<START_POS X="[0-9]*" Y="[0-9]*"' "$game/LevelDescriptions/Level$n.xml" | head -n1)"
  sx="$(echo "$start" | sed 's/.*X="\([0-9]*\)".*/\1/')"
  sy="$(echo "$start" | sed 's/.*Y="\([0-9]*\)".*/\1/')"
  if [ "$n" -eq 0 ]; then
    enter='press RETURN; press RETURN; frames 5; press RETURN'
  else
    # Slot n-1 holds a game that goes on with level n: load game, pick the slot, leave the briefing.
    write_slot "$game/SAVE$((n - 1))" "$n"
    enter="press RETURN; frames 3; press DOWN; press RETURN; frames 3;"
    for ((i = 1; i < n; i++)); do enter="$enter press DOWN;"; done
    enter="$enter press RETURN; frames 5; press RETURN"
  fi
  out="$("$KVB_PLAY" --data "$game" --quiet -e "$enter; frames 40; state")"
  line="$(printf '%s\n' "$out" | tail -n1)"
  expect_eq "$(json_get "$line" level.levelNumber)" "$n" "level $n is running"
  expect_eq "$(json_get "$line" level.hero.x)" "$sx" "level $n: hero x after 40 still frames"
  expect_eq "$(json_get "$line" level.hero.y)" "$sy" "level $n: hero y after 40 still frames (standing on the ground)"
  expect_eq "$(json_get "$line" level.hero.vy)" "0" "level $n: hero vertical speed"
  echo "level $n: the hero stands at $sx,$sy"
  rm -f "$game"/SAVE?
done
echo "levels: ok"
