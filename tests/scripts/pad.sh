#!/usr/bin/env bash
# Gamepads: a whole level played with the pad leaves the same hero trace as with the keys; a pad pulled out
# mid-level lets go of what it held and another one plugged in takes over; the stick walks past its dead
# zone only; the menus, the briefing and the best scores' name entry go with the pad alone.
source "$(dirname "$0")/lib.sh"

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT
replay="$game/Replays/level0.txt"
[ -f "$replay" ] || { echo "no level solution in the game folder (content not built): skipped"; exit 0; }
# Normal difficulty (the solution's), music and sound off.
printf '\x00\x00\x00\x00\x01\x00\x00\x00' > "$game/Config.dat"

hero_x() { json_get "$1" level.hero.x; }

# The solution as a script, one frame and one state at a time, its keys held as keys or as pad controls.
as_script() {
  awk -v mode="$1" '
    BEGIN {
      split("L R U D S W", letters, " ")
      split("LEFT RIGHT UP DOWN SPACE SHIFT", keys, " ")
      split("dpleft dpright a dpdown x leftshoulder", buttons, " ")
    }
    $1 ~ /^[0-9]+$/ {
      for (i = 1; i <= 6; i++) {
        want = index($2, letters[i]) > 0
        if (want != held[i]) print (mode == "pad" ? "pad " : "") (want ? "down " : "up ") (mode == "pad" ? buttons[i] : keys[i])
        held[i] = want
      }
      for (n = 0; n < $1; n++) print "frames 1\nstate"
    }' "$replay"
}
for mode in keys pad; do
  { echo "pad add 3"; echo "press RETURN"; echo "frames 2"; echo "press RETURN"; echo "frames 2"; echo "press RETURN"
    as_script "$mode"; } > "$game/$mode.script"
  "$KVB_PLAY" --quiet --data "$game" --script "$game/$mode.script" > "$game/$mode.out" || fail "$mode run"
  # The hero while the level runs (until the first line without him).
  awk '!/"hero":/ { exit } { print }' "$game/$mode.out" | grep -o '"hero":{[^}]*}' > "$game/$mode.trace"
done
frames="$(wc -l < "$game/keys.trace")"
[ "$frames" -gt 1000 ] || fail "the level ran only $frames frames with the keys"
grep -q '"levelEndTimer":[0-9]' "$game/keys.trace" || fail "the keys did not reach the finish"
cmp -s "$game/keys.trace" "$game/pad.trace" ||
  fail "the pad's hero trace differs from the keys' at frame $(cmp "$game/keys.trace" "$game/pad.trace" | grep -o 'line [0-9]*')"

# A level: the d-pad walks; pulling the pad out stops the hero; another pad takes over; the stick walks
# only beyond its dead zone.
out="$("$KVB_PLAY" --quiet --data "$game" -e '
state
pad add 0
press RETURN
frames 2
pad press a
frames 2
pad press a
frames 2
pad press a
frames 40
state
pad down dpright
frames 10
state
pad remove 0
frames 10
state
frames 10
state
pad add 1
pad axis leftx 30000
frames 10
state
pad axis leftx -9000
frames 10
state
frames 10
state
pad axis leftx -32768
frames 10
state
')"
mapfile -t s <<<"$out"
expect_eq "${#s[@]}" 9 "state lines"
expect_eq "$(json_get "${s[0]}" gamepads)" 0 "no pad before one is plugged in"
expect_eq "$(json_get "${s[1]}" currentState)" 10 "the pad's A went through the intro, the menu and the briefing"
expect_eq "$(json_get "${s[1]}" gamepads)" 1 "one pad"
[ "$(hero_x "${s[2]}")" -gt "$(hero_x "${s[1]}")" ] || fail "the d-pad did not walk right"
expect_eq "$(json_get "${s[3]}" gamepads)" 0 "the pad was pulled out"
expect_eq "$(hero_x "${s[4]}")" "$(hero_x "${s[3]}")" "the hero stopped when the pad went"
expect_eq "$(json_get "${s[5]}" gamepads)" 1 "the second pad"
[ "$(hero_x "${s[5]}")" -gt "$(hero_x "${s[4]}")" ] || fail "the second pad's stick did not walk right"
expect_eq "$(hero_x "${s[7]}")" "$(hero_x "${s[6]}")" "a stick inside its dead zone walks"
[ "$(hero_x "${s[8]}")" -lt "$(hero_x "${s[7]}")" ] || fail "the stick did not walk left"

# Ten rows below zero, so even a run given up at once gets the top row.
for i in $(seq 10); do printf 'old       \xff\xff\xff\xff'; done > "$game/Highscore.dat"
# Menus: down and B in the options, Start through the briefing, Back gives the run up; the best scores'
# name is picked with up and down, added with A, erased with B and ended with Start.
out="$("$KVB_PLAY" --quiet --data "$game" -e '
pad add 0
pad press start
frames 2
pad press dpdown
pad press dpdown
pad press a
frames 2
state
pad press b
frames 2
pad press dpup
pad press dpup
state
pad press a
frames 2
pad press start
frames 2
pad press dpright
frames 30
pad press back
frames 2
state
pad press dpup
pad press dpup
pad press a
pad press dpdown
pad press a
pad press a
pad press b
pad press start
frames 2
state
')"
mapfile -t s <<<"$out"
expect_eq "$(json_get "${s[0]}" currentState)" 2 "d-pad down twice and A: the options"
expect_eq "$(json_get "${s[1]}" currentState)" 0 "B went back to the menu"
expect_eq "$(json_get "${s[1]}" screen.selectedItem)" 0 "up twice went back to the first item"
expect_eq "$(json_get "${s[2]}" currentState)" 12 "Back gave the run up: the best scores"
expect_eq "$(json_get "${s[3]}" screen.rows.0.name)" BA "the name picked with the pad"
echo "pad: ok"
