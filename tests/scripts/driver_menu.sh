#!/usr/bin/env bash
# The driver starts the game, closes the intro, walks the main menu and quits through its last item.
source "$(dirname "$0")/lib.sh"

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT
printf '\x00\x00\x01\x00\x01\x00\x00\x00' > "$game/Config.dat"

out="$("$KVB_PLAY" --quiet --data "$game" -e '
state
frames 3
press LEFT
state
press RETURN
frames 1
state
press DOWN
press DOWN
press UP
state
press DOWN
press DOWN
press DOWN
press DOWN
press DOWN
press DOWN
state
press RETURN
state
frames 5
')"

mapfile -t lines <<<"$out"
expect_eq "${#lines[@]}" 5 "JSON lines before the program ended by itself"

expect_eq "$(json_get "${lines[0]}" introPlaying)" true "intro at start"
expect_eq "$(json_get "${lines[0]}" frameCounter)" 0 "frames at start"
expect_eq "$(json_get "${lines[0]}" difficulty)" 1 "difficulty from Config.dat"
expect_eq "$(json_get "${lines[0]}" musicOption)" false "music option from Config.dat"
expect_eq "$(json_get "${lines[1]}" introPlaying)" true "LEFT does not close the intro"
expect_eq "$(json_get "${lines[1]}" frameCounter)" 4 "frames after 3 + 1"
expect_eq "$(json_get "${lines[2]}" introPlaying)" false "RETURN closes the intro"
expect_eq "$(json_get "${lines[2]}" currentState)" 0 "main menu"
expect_eq "$(json_get "${lines[2]}" player.lives)" 3 "start-up resets the player as on hard"
expect_eq "$(json_get "${lines[4]}" currentState)" 0 "still the menu before quitting"

[ -f "$game/Config.dat" ] || fail "Config.dat was not written"
expect_eq "$(od -An -tx1 "$game/Config.dat" | tr -d ' \n')" "0000010001000000" "Config.dat bytes"

# A bad line stops the driver with an error naming it.
if "$KVB_PLAY" --quiet --data "$game" -e 'frames 1; jump HIGH' 2>"$game/err"; then
  fail "a bad line was accepted"
fi
grep -q "line 2" "$game/err" || fail "the error does not name the line: $(cat "$game/err")"
echo "driver_menu: ok"
