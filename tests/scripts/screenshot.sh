#!/usr/bin/env bash
# F12 saves the picture on show as a PNG in the screenshots folder, named by the date and time: the same
# picture the driver's shot writes, and a second one in the same second gets a name of its own.
source "$(dirname "$0")/lib.sh"

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT
[ -f "$game/LevelDescriptions/Level0.xml" ] || { echo "no levels in the game folder (content not built): skipped"; exit 0; }

# In a level, walking, so that every frame differs from the one before.
out="$("$KVB_PLAY" --quiet --data "$game" -e "
state
press RETURN
frames 2
press RETURN
frames 2
press RETURN
down RIGHT
frames 30
shot $game/driver.png
down F12
frames 1
up F12
state
press F12
state
")"
mapfile -t s <<<"$out"
expect_eq "$(json_get "${s[0]}" lastScreenshot)" null "no screenshot at the start"
first="$(json_get "${s[1]}" lastScreenshot | tr -d '"')"
second="$(json_get "${s[2]}" lastScreenshot | tr -d '"')"
[[ "$first" =~ ^(\./)?screenshots/kolvenbrook-[0-9]{4}-[0-9]{2}-[0-9]{2}-[0-9]{6}\.png$ ]] || fail "screenshot name '$first'"
[ "$second" != "$first" ] || fail "the second screenshot took the first one's name"
[ "$(ls "$game/screenshots" | wc -l)" -eq 2 ] || fail "not two files: $(ls "$game/screenshots")"
cmp -s "$game/$first" "$game/driver.png" || fail "F12's picture differs from the driver's shot"
cmp -s "$game/$second" "$game/driver.png" && fail "the second screenshot did not show the frame after"

# A file where the folder should be: no screenshot, a message, and the game goes on.
rm -rf "$game/screenshots"
touch "$game/screenshots"
out="$("$KVB_PLAY" --quiet --data "$game" -e 'press F12; frames 1; state' 2>"$game/err")"
expect_eq "$(json_get "$out" lastScreenshot)" null "no screenshot without its folder"
grep -q "screenshot could not be saved" "$game/err" || fail "no message: $(cat "$game/err")"
echo "screenshot: ok"
