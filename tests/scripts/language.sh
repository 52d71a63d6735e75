#!/usr/bin/env bash
# Polish unless English is asked for (--lang, then settings.ini's language, then the locale: LC_ALL, LC_MESSAGES,
# LANG); in English the menu, options, briefing, pictures with words, message boxes and the intro are English.
source "$(dirname "$0")/lib.sh"
[ -f "$KVB_GAME_DIR/Data/Text.xml" ] || { echo "no generated content: skipped"; exit 0; }

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT
[ -f "$game/Data/Text_en.xml" ] || fail "the game folder has no English TEXT table"

# play "VAR=value ..." "driver arguments" SCRIPT: the driver's output with only the given locale variables set.
play() {
  # shellcheck disable=SC2086  # both lists are meant to split into words
  env -u LC_ALL -u LC_MESSAGES -u LANG $1 "$KVB_PLAY" --quiet --data "$game" $2 -e "$3"
}

# Which language wins: "locale variables|driver arguments|settings.ini (- for none)|expected".
cases=(
  "LANG=C||-|pl"
  "LANG=POSIX||-|pl"
  "||-|pl"
  "LANG=pl_PL.UTF-8||-|pl"
  "LANG=en_US.UTF-8||-|en"
  "LANG=C LC_MESSAGES=en_GB.UTF-8||-|en"
  "LANG=en_US.UTF-8 LC_ALL=C||-|pl"
  "LANG=C LC_ALL=en_US.UTF-8||-|en"
  "LANG=en_US.UTF-8|--lang pl|-|pl"
  "LANG=C|--lang en|-|en"
  "LANG=C||[game]\nlanguage = en|en"
  "LANG=en_US.UTF-8||language = pl|pl"
  "LANG=C|--lang pl|language = en|pl"
  "LANG=en_US.UTF-8||language = klingon|en"
)
for row in "${cases[@]}"; do
  IFS='|' read -r vars args settings expected <<<"$row"
  rm -f "$game/settings.ini"
  [ "$settings" == "-" ] || printf "$settings\n" > "$game/settings.ini"
  got="$(play "$vars" "$args" 'state' 2>"$game/err" | jq -r .language)"
  expect_eq "$got" "$expected" "language with '$vars', '$args', settings '$settings'"
done
grep -q "klingon" "$game/err" || fail "a bad language in settings.ini is not named: $(cat "$game/err")"
rm -f "$game/settings.ini"
if play "LANG=C" "--lang de" 'state' 2>/dev/null; then fail "--lang de was accepted"; fi

# The entries of a TEXT table at the given positions, one per line (no-break spaces as blanks).
entries() {
  python3 - "$game/Data/$1" "${@:2}" <<'PY'
import re, sys
texts = re.findall(r'TEXT="([^"]*)"', open(sys.argv[1], encoding="cp1250").read())
for i in sys.argv[2:]:
    print(texts[int(i)].replace("\xa0", " "))
PY
}
# The sprite-font texts of the last frame in a state line, one per line.
drawn() { jq -r '.texts[]' <<<"$1" | sed 's/\xc2\xa0/ /g'; }
# The message of a constant of src/core/Messages.h in a language (1 Polish, 2 English).
message() { grep -A1 "MessageText $1{" "$KVB_SOURCE_DIR/src/core/Messages.h" | grep -o '"[^"]*"' | sed -n "$2p" | tr -d '"'; }

tour='state
press RETURN
frames 1
shot SHOTS_menu.png
state
press DOWN
press DOWN
press RETURN
frames 1
shot SHOTS_options.png
state
press ESCAPE
frames 1
press DOWN
press RETURN
frames 1
shot SHOTS_about.png
press ESCAPE
frames 1
press DOWN
press RETURN
frames 1
shot SHOTS_highscore.png
press ESCAPE
frames 1
press UP
press UP
press UP
press UP
press RETURN
frames 30
state'
declare -A table=([pl]=Text.xml [en]=Text_en.xml) intro=([pl]=intro.avi [en]=intro_en.avi) column=([pl]=1 [en]=2)
for language in pl en; do
  vars="LANG=C"
  [ "$language" == en ] && vars="LANG=en_US.UTF-8"
  mapfile -t s < <(play "$vars" "" "${tour//SHOTS/$game/$language}")
  expect_eq "${#s[@]}" 4 "$language: state lines"
  expect_eq "$(jq -r .video <<<"${s[0]}")" "${intro[$language]}" "$language: the intro"
  expect_eq "$(drawn "${s[1]}")" "$(entries "${table[$language]}" 0 1 2 3 38 4)" "$language: main menu items"
  expect_eq "$(drawn "${s[2]}" | sed -n '1p;3p;5p;7p')" "$(entries "${table[$language]}" 22 23 24 25)" \
    "$language: option labels"
  expect_eq "$(jq -r .screen.name <<<"${s[3]}")" Briefing "$language: the briefing is on"
  for entry in 5 6 7 8 9 20 15 10; do
    drawn "${s[3]}" | grep -qxF "$(entries "${table[$language]}" "$entry")" ||
      fail "$language: the briefing does not show text $entry: $(drawn "${s[3]}" | tr '\n' '|')"
  done
done
# The two languages really differ where it was checked, and in the pictures with words.
[ "$(entries Text.xml 0 5 22)" != "$(entries Text_en.xml 0 5 22)" ] || fail "the tables agree: nothing was checked"
for screen in options about highscore; do
  cmp -s "$game/pl_$screen.png" "$game/en_$screen.png" && fail "the $screen screen looks the same in English"
done

# Polish is today's game whichever way it is reached: the same picture as without any locale.
play "" "" "press RETURN; frames 1; shot $game/none.png" >/dev/null
play "LANG=en_US.UTF-8" "--lang pl" "press RETURN; frames 1; shot $game/forced.png" >/dev/null
cmp -s "$game/pl_menu.png" "$game/none.png" || fail "the menu with LANG=C differs from the one without a locale"
cmp -s "$game/pl_menu.png" "$game/forced.png" || fail "the menu with --lang pl differs from the one with LANG=C"

# Message boxes: a missing menu background is reported in the language of the game.
rm "$game/Graphics/Menu/Bkg.png"
for language in pl en; do
  vars="LANG=C"
  [ "$language" == en ] && vars="LANG=en_US.UTF-8"
  box="$(play "$vars" "" state | jq -r '.messageBoxes[0]')"
  expect_eq "$box" "$(message kMenuBackground "${column[$language]}")" "$language: the missing menu background"
done
echo "language: ok"
