#!/usr/bin/env bash
# settings.ini through the game: another pause key, no pause on focus loss, pads switched off; the file is
# written back at the end with the values in use and an entry of another version kept.
source "$(dirname "$0")/lib.sh"

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT
[ -f "$game/LevelDescriptions/Level0.xml" ] || { echo "no levels in the game folder (content not built): skipped"; exit 0; }

printf '[game]\npause_on_focus_loss = off\ngamepads = off\nhints = many\n[keys]\npause = K\n' > "$game/settings.ini"
out="$("$KVB_PLAY" --quiet --data "$game" -e '
pad add 0
press RETURN
frames 2
press RETURN
frames 2
press RETURN
frames 5
focus lost
frames 2
state
press P
state
press K
state
' 2>"$game/err")"
mapfile -t s <<<"$out"
expect_eq "$(json_get "${s[0]}" currentState)" 10 "the level runs"
expect_eq "$(json_get "${s[0]}" gamepads)" 0 "pads are off"
expect_eq "$(json_get "${s[0]}" paused)" false "losing the focus does not pause"
expect_eq "$(json_get "${s[1]}" paused)" false "P is no pause key now"
expect_eq "$(json_get "${s[2]}" paused)" true "K pauses"
grep -q "settings.ini line 4: no setting 'hints'" "$game/err" || fail "the unknown entry was not named: $(cat "$game/err")"
grep -q '^pause = K$' "$game/settings.ini" || fail "the pause key was not written back"
grep -q '^hints = many$' "$game/settings.ini" || fail "the unknown entry was lost"
grep -q '^vsync = off$' "$game/settings.ini" || fail "the defaults were not written"
echo "settings: ok"
