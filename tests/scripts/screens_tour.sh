#!/usr/bin/env bash
# Every screen with the shipped content: no message box anywhere, the menus, a briefing trade, a level, Escape,
# the best scores with a typed name, and a saved game loaded again.
source "$(dirname "$0")/lib.sh"

[ -f "$KVB_GAME_DIR/LevelDescriptions/Level1.xml" ] || { echo "no shipped levels: skipped"; exit 0; }
game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT
shots="${KVB_SHOTS:-}"
shot() { [ -n "$shots" ] && echo "shot $shots/tour_$1.png" || true; }

# A saved game: level 1 next, 95 coins and strength 20 (little-endian 32-bit values).
printf '\x01\x00\x00\x00\x64\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x5f\x00\x00\x00\x14\x00\x00\x00' > "$game/SAVE0"

script="
state
press RETURN
frames 2
$(shot menu)
state
press DOWN
press DOWN
press RETURN
frames 2
$(shot options)
state
press ESCAPE
frames 2
press DOWN
press DOWN
press DOWN
press RETURN
frames 2
$(shot about)
state
press ESCAPE
frames 2
press DOWN
press DOWN
press DOWN
press DOWN
press RETURN
frames 2
$(shot highscore)
state
press ESCAPE
frames 2
press RETURN
frames 30
$(shot briefing)
state
press RIGHT
frames 30
state
press RETURN
frames 60
$(shot level)
state
press ESCAPE
frames 2
state
press ESCAPE
frames 2
press DOWN
press RETURN
frames 2
$(shot loadgame)
state
press RETURN
frames 30
state
press UP
frames 2
state
press RETURN
frames 30
state
press ESCAPE
frames 2
type KAMIL
press RETURN
frames 2
$(shot names)
state
press ESCAPE
frames 2
state
"
out="$("$KVB_PLAY" --quiet --data "$game" -e "$script")"
if [ -n "${KVB_TOUR_DEBUG:-}" ]; then while read -r line; do json_get "$line" currentState; done <<<"$out" | paste -sd" "; fi
mapfile -t s <<<"$out"
expect_eq "${#s[@]}" 15 "state lines"

for i in "${!s[@]}"; do
  expect_eq "$(json_get "${s[$i]}" messageBoxes)" "[]" "message boxes of state $i"
done

expect_eq "$(json_get "${s[0]}" video)" intro.avi "the intro plays at start"
expect_eq "$(json_get "${s[0]}" music)" -1 "no music during the intro"
expect_eq "$(json_get "${s[1]}" video)" null "the intro is closed"
expect_eq "$(json_get "${s[1]}" music)" 9 "the menu theme after the intro"
expect_eq "$(json_get "${s[2]}" screen.name)" Options "options screen"
expect_eq "$(json_get "${s[2]}" sounds)" '["MENU_CURSOR","MENU_CURSOR","MENU_SELECT"]' "menu sounds"
expect_eq "$(json_get "${s[3]}" screen.name)" About "about screen"
expect_eq "$(json_get "${s[4]}" screen.name)" Highscore "highscore screen"
expect_eq "$(json_get "${s[5]}" screen.name) $(json_get "${s[5]}" screen.levelNumber)" "Briefing 0" "briefing of level 0"
expect_eq "$(json_get "${s[5]}" music)" -1 "the briefing stops the music"
[ "$(json_get "${s[5]}" screen.typeCount)" -gt 0 ] || fail "level 0 shows its enemies: ${s[5]}"
expect_eq "$(json_get "${s[7]}" level.levelNumber)" 0 "level 0 runs"
expect_eq "$(json_get "${s[7]}" music)" 0 "level 0 plays track 0"
expect_eq "$(json_get "${s[8]}" screen.name) $(json_get "${s[8]}" screen.editRow)" "Highscore -1" \
  "Escape in a level: best scores without a row"
expect_eq "$(json_get "${s[9]}" screen.name)" LoadGame "load game"
expect_eq "$(json_get "${s[10]}" screen.name) $(json_get "${s[10]}" screen.levelNumber)" "Briefing 1" \
  "the slot opens the briefing of level 1"
expect_eq "$(json_get "${s[10]}" player.money)" 95 "the slot's money"
expect_eq "$(json_get "${s[11]}" screen.offer)" 1900 "money for points at strength 20"
expect_eq "$(json_get "${s[12]}" player.score)" 1900 "the trade is made when the level starts"
expect_eq "$(json_get "${s[12]}" level.levelNumber)" 1 "level 1 runs"
expect_eq "$(json_get "${s[12]}" music)" 1 "level 1 plays track 1"
expect_eq "$(json_get "${s[13]}" screen.rows.0.name) $(json_get "${s[13]}" screen.rows.0.scoreText)" "KAMIL 1900" \
  "the typed name"
expect_eq "$(json_get "${s[14]}" currentState)" 0 "back in the menu"

od -c "$game/Highscore.dat" | head -2 | grep -q 'K   A   M   I   L' || fail "Highscore.dat does not hold the name"
echo "screens_tour: ok"
