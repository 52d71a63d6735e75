#!/usr/bin/env bash
# Every shipped level solution still finishes its level, and ends with the player record its comment names
# (the next level's solution starts from it). A failure here means a level changed: solve it again
# (content/replays/README.md).
source "$(dirname "$0")/lib.sh"

replays="$KVB_GAME_DIR/Replays"
[ -d "$replays" ] || { echo "no level solutions in the game folder (content not built): skipped"; exit 0; }

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT

# Why a solution may have stopped working: the level's files differ from those it was found for.
level_changed() {
  local n="$1" file="$2" ext want have
  for ext in xml dat; do
    want="$(grep -m1 -o "Level$n\.$ext (cksum [0-9]* [0-9]*)" "$file" | sed 's/.*cksum //; s/)//')"
    have="$(cksum < "$KVB_GAME_DIR/LevelDescriptions/Level$n.$ext" 2>/dev/null || true)"
    if [ -n "$want" ] && [ "$want" != "$have" ]; then
      echo " (Level$n.$ext changed since the solution was found: solve the level again, content/replays/README.md)"
      return
    fi
  done
}

passed=0
failed=0
skipped=0
for n in 0 1 2 3 4 5 6 7; do
  file="$replays/level$n.txt"
  if [ ! -f "$file" ]; then
    # A level the solver could not finish is said so in level<N>.unsolved; any other gap is a fault.
    if [ -f "$replays/level$n.unsolved" ]; then
      echo "level $n: UNSOLVED: $(cat "$replays/level$n.unsolved")"
      skipped=$((skipped + 1))
    else
      echo "level $n: no solution $file" >&2
      failed=$((failed + 1))
    fi
    continue
  fi
  # Each level in a fresh copy of the saves, as a new game would find them.
  rm -f "$game"/SAVE? "$game"/Highscore.dat
  if ! out="$("$KVB_PLAY" --quiet --data "$game" --replay "$file" 2>"$game/replay.err")"; then
    echo "level $n: the solution no longer finishes the level: $(cat "$game/replay.err")$(level_changed "$n" "$file")" >&2
    failed=$((failed + 1))
    continue
  fi
  player="$(json_get "$out" 'player.*')"
  expected="$(grep -m1 -o 'ends with player [-0-9 ]*' "$file" | sed 's/ends with player //; s/ *$//')"
  if [ "$player" != "$expected" ]; then
    echo "level $n: finished, but with player '$player' instead of '$expected'$(level_changed "$n" "$file")" >&2
    failed=$((failed + 1))
    continue
  fi
  echo "level $n: finished with player $player"
  passed=$((passed + 1))
done
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] || fail "$failed level solutions no longer work"
