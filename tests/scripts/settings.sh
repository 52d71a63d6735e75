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

# Installed (--user-dir): the file is read and written in the player's folder, the screenshots go there,
# and the game folder is left alone.
user="$game/user"
mkdir -p "$user"
rm -f "$game/settings.ini"
printf '[keys]\nscreenshot = F5\n' > "$user/settings.ini"
"$KVB_PLAY" --quiet --data "$game" --user-dir "$user" -e 'frames 2; press F5; frames 1; quit' 2>/dev/null ||
  fail "the installed run"
[ "$(ls "$user/screenshots" | wc -l)" -eq 1 ] || fail "F5 left no screenshot in the player's folder"
grep -q '^screenshot = F5$' "$user/settings.ini" || fail "the player's settings were not written back"
[ ! -e "$game/settings.ini" ] && [ ! -e "$game/screenshots" ] || fail "the game folder got the player's files"
echo "settings: ok"
