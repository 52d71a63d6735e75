#!/usr/bin/env bash
# The whole game, as a player would go through it: a new game from the main menu, and for each of the eight
# levels its briefing (Enter) and the level played with the keys of its shipped solution; then the outro, a
# name typed into the best scores and back to the menu. Checks the save slots, the final player record and
# the new row of the best scores. A level that has no solution on purpose (level<N>.unsolved beside the
# solutions) ends the game early: the levels before it are still played and checked.
source "$(dirname "$0")/lib.sh"

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT
replays="$game/Replays"
[ -d "$replays" ] || { echo "no level solutions in the game folder (content not built): skipped"; exit 0; }

# Normal difficulty; music and sound off.
printf '\x00\x00\x00\x00\x01\x00\x00\x00' > "$game/Config.dat"

# "ends with player ..." of a solution's comment: the record its level ends with.
ends_with() { grep -m1 -o 'ends with player [-0-9 ]*' "$replays/level$1.txt" | sed 's/ends with player //; s/ *$//'; }
# The six numbers of the player record of a state line.
player_of() { json_get "$1" 'player.*'; }
# The six little-endian int32 of a save slot.
slot_of() { od -An -v -t d4 "$game/SAVE$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

# The levels to play: all eight, or those before the first one without a solution.
played=0
while [ "$played" -lt 8 ] && [ -f "$replays/level$played.txt" ]; do played=$((played + 1)); done
if [ "$played" -lt 8 ]; then
  [ -f "$replays/level$played.unsolved" ] || fail "level $played has no solution ($replays/level$played.txt)"
fi

{
  echo "press RETURN"  # the intro
  echo "frames 2"
  echo "press RETURN"  # "new game": the briefing of level 0
  echo "frames 2"
  for ((n = 0; n < played; n++)); do
    echo "state"
    echo "press RETURN"  # the briefing's trade, and the level
    echo "replaykeys $replays/level$n.txt"
    echo "frames 1"
  done
  echo "state"  # the next briefing, or the best scores under the outro
  if [ "$played" -eq 8 ]; then
    echo "press RETURN"  # closes the outro
    echo "frames 2"
    echo "state"
    echo "type KVB"
    echo "press RETURN"
    echo "frames 1"
    echo "state"
    echo "press ESCAPE"
    echo "frames 2"
    echo "state"
  fi
  echo "quit"
} > "$game/e2e.script"

out="$("$KVB_PLAY" --quiet --data "$game" --script "$game/e2e.script")" || fail "the game did not go through (see above)"
mapfile -t lines <<<"$out"

for ((n = 0; n < played; n++)); do
  line="${lines[$n]}"
  expect_eq "$(json_get "$line" currentState)" 11 "briefing before level $n"
  expect_eq "$(json_get "$line" screen.levelNumber)" "$n" "briefing's level"
done
# The save slots: each finished level's record, the next level's number first.
for ((n = 0; n < played && n < 7; n++)); do
  [ "$(stat -c %s "$game/SAVE$n")" -eq 24 ] || fail "SAVE$n is not 24 bytes"
  expect_eq "$(slot_of "$n")" "$(ends_with "$n")" "SAVE$n"
done

if [ "$played" -lt 8 ]; then
  expect_eq "${#lines[@]}" $((played + 1)) "state lines"
  expect_eq "$(json_get "${lines[$played]}" currentState)" 11 "briefing of level $played"
  if [ "$played" -gt 0 ]; then
    expect_eq "$(player_of "${lines[$played]}")" "$(ends_with $((played - 1)))" "player record after level $((played - 1))"
  fi
  echo "whole game: levels 0 to $((played - 1)) finished; stopped before level $played: $(cat "$replays/level$played.unsolved")"
  exit 0
fi

expect_eq "${#lines[@]}" 12 "state lines"
expect_eq "$(json_get "${lines[8]}" currentState)" 12 "the best scores after level 7"
expect_eq "$(json_get "${lines[8]}" outroPending)" true "the outro after level 7"

final="$(ends_with 7)"
expect_eq "$(player_of "${lines[9]}")" "$final" "player record at the end of the game"
expect_eq "$(json_get "${lines[9]}" outroPending)" false "Enter closed the outro"
read -r _ f_health f_lives final_score final_money final_strength <<<"$final"
expect_eq "$final_money" 0 "money paid out at the end"
[ "$final_score" -gt 0 ] || fail "final score $final_score"
expect_eq "$(json_get "${lines[10]}" player.score)" 0 "the record is reset after the name was entered"
expect_eq "$(json_get "${lines[11]}" currentState)" 0 "Escape leads to the main menu"

# The last slot keeps the values from before the end-of-game bonus (money still unpaid).
read -r s_next s_health s_lives s_score s_money s_strength <<<"$(slot_of 7)"
expect_eq "$s_next $s_health $s_lives $s_strength" "8 $f_health $f_lives $final_strength" "SAVE7"
expect_eq "$((s_score + s_money * s_strength))" "$final_score" "SAVE7 score plus the bonus"

# The new best score: row 0 of a fresh table, the typed name filled with blanks.
[ "$(stat -c %s "$game/Highscore.dat")" -eq 140 ] || fail "Highscore.dat is not 140 bytes"
expect_eq "$(head -c 10 "$game/Highscore.dat")" "KVB       " "name in row 0"
expect_eq "$(od -An -j 10 -N 4 -t d4 "$game/Highscore.dat" | tr -d ' ')" "$final_score" "score in row 0"
expect_eq "$(od -An -j 24 -N 4 -t d4 "$game/Highscore.dat" | tr -d ' ')" 0 "score in row 1"

echo "whole game: 8 levels finished, final player $final"
