#!/usr/bin/env bash
# --level 3 starts a new game straight in level 3: no film, no menu, the record a new game gets, and the
# hero standing where the level file puts him.
source "$(dirname "$0")/lib.sh"
[ -f "$KVB_GAME_DIR/LevelDescriptions/Level3.xml" ] || { echo "no levels in the game folder: skipped"; exit 0; }

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT

line="$("$KVB_PLAY" --data "$game" --quiet --level 3 -e 'frames 40; state' | tail -n1)"
expect_eq "$(json_get "$line" currentState)" 10 "the screen is a level"
expect_eq "$(json_get "$line" level.levelNumber)" 3 "the level"
expect_eq "$(json_get "$line" introPlaying)" false "the intro"
expect_eq "$(json_get "$line" video)" null "no film"

# The record is the one New Game in the menu hands to the briefing, going on with level 3.
menu="$("$KVB_PLAY" --data "$game" --quiet -e 'press RETURN; press RETURN; frames 3; state' | tail -n1)"
expect_eq "$(json_get "$menu" currentState)" 11 "New Game leads to the briefing"
record="${line#*\"player\":}"; record="${record%%\}*}"
fresh="${menu#*\"player\":}"; fresh="${fresh%%\}*}"
expect_eq "$record" "${fresh/\"nextLevel\":0/\"nextLevel\":3}" "the player record"

start="$(grep -o '<START_POS X="[0-9]*" Y="[0-9]*"' "$game/LevelDescriptions/Level3.xml" | head -n1)"
expect_eq "$(json_get "$line" level.hero.x)" "$(echo "$start" | sed 's/.*X="\([0-9]*\)".*/\1/')" "hero x"
expect_eq "$(json_get "$line" level.hero.y)" "$(echo "$start" | sed 's/.*Y="\([0-9]*\)".*/\1/')" "hero y"

set +e; "$KVB_PLAY" --data "$game" --quiet --level 9 -e 'state' > /dev/null 2>&1; rc=$?; set -e
expect_eq "$rc" 2 "--level 9 is refused"
echo "start_level: ok"
