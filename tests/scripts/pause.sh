#!/usr/bin/env bash
# Pause: P, the Pause key and the pad's Start stop a level for hundreds of frames (the hero, the enemies,
# the platforms, the floating texts and the level's counters stand still, the sounds hold) and resume it
# without a burst of steps; the window losing the focus pauses it too; outside a level P is only a letter.
source "$(dirname "$0")/lib.sh"

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT
[ -f "$game/LevelDescriptions/Level0.xml" ] || { echo "no levels in the game folder (content not built): skipped"; exit 0; }

# The level as it stands: everything of its JSON object but the camera.
level() { json_get "$1" level | sed 's/"cameraX":[-0-9]*,"cameraY":[-0-9]*//'; }
hero_x() { json_get "$1" level.hero.x; }

# Into level 0 and walking right: one frame walked, then P; 300 paused frames; P again and the same
# frames walked; then Pause, F1 and the pad's Start; then the focus.
out="$("$KVB_PLAY" --quiet --data "$game" -e '
press RETURN
frames 2
press P
frames 2
press RETURN
frames 2
press RETURN
frames 60
down RIGHT
frames 20
state
frames 5
state
press P
state
frames 300
state
press P
frames 5
state
press PAUSE
frames 50
state
press F1
frames 3
state
pad add 0
pad press start
frames 3
state
focus lost
frames 30
state
focus gained
frames 30
state
press P
frames 1
up RIGHT
state
press ESCAPE
frames 2
state
')"
mapfile -t s <<<"$out"
expect_eq "${#s[@]}" 12 "state lines"
expect_eq "$(json_get "${s[0]}" currentState)" 10 "P in the menu was nothing; the level runs"
expect_eq "$(json_get "${s[0]}" paused)" false "not paused"
walked=$(( $(hero_x "${s[1]}") - $(hero_x "${s[0]}") ))
[ "$walked" -gt 0 ] || fail "the hero does not walk"
expect_eq "$(json_get "${s[2]}" paused)" true "P paused"
[ "$(json_get "${s[3]}" frameCounter)" -ge $(( $(json_get "${s[2]}" frameCounter) + 300 )) ] || fail "frames did not run"
expect_eq "$(level "${s[3]}")" "$(level "${s[2]}")" "the level after 300 paused frames"
expect_eq "$(json_get "${s[4]}" paused)" false "P resumed"
# Five frames after resuming walk no further than five frames before pausing (the frame P came in runs no step).
resumed=$(( $(hero_x "${s[4]}") - $(hero_x "${s[3]}") ))
[ "$resumed" -gt 0 ] && [ "$resumed" -le "$walked" ] || fail "after resuming the hero walked $resumed, before $walked"
expect_eq "$(json_get "${s[5]}" paused)" true "the Pause key paused"
expect_eq "$(json_get "${s[6]}" paused)" true "F1 is no pause key"
expect_eq "$(json_get "${s[7]}" paused)" false "the pad's Start resumed"
expect_eq "$(json_get "${s[8]}" paused)" true "losing the focus paused"
expect_eq "$(json_get "${s[9]}" paused)" true "getting the focus back waits for the player"
expect_eq "$(json_get "${s[10]}" paused)" false "P resumed"
expect_eq "$(json_get "${s[11]}" currentState)" 12 "Escape still gives the run up"
expect_eq "$(json_get "${s[11]}" paused)" false "no level, nothing paused"
# The notice speaks the game's language.
for lang in pl:pauza en:pause; do
  line="$("$KVB_PLAY" --quiet --data "$game" --lang "${lang%%:*}" --level 0 -e 'frames 5; press P; frames 2; state' | tail -1)"
  expect_eq "$(json_get "$line" texts)" "[\"${lang#*:}\"]" "the pause notice in ${lang%%:*}"
done
echo "pause: ok"
