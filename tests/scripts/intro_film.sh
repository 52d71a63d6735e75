#!/usr/bin/env bash
# An intro film that cannot be shown (missing, or not a video) gives way to the main menu at once instead
# of a black screen waiting for a key; a good one waits for the key. The same for the outro after the last
# level: a broken one gives way to the best scores.
source "$(dirname "$0")/lib.sh"

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT
[ -f "$KVB_GAME_DIR/intro.avi" ] || { echo "no intro.avi in the game folder: skipped"; exit 77; }
cp "$game/intro.avi" "$game/good.avi"

# The film | whether it still plays after two frames | the film then on
while IFS='|' read -r film playing video; do
  case "$film" in
    good) cp "$game/good.avi" "$game/intro.avi" ;;
    missing) rm -f "$game/intro.avi" ;;
    broken) printf 'not a film at all' > "$game/intro.avi" ;;
    empty) : > "$game/intro.avi" ;;
  esac
  line="$("$KVB_PLAY" --quiet --data "$game" -e 'frames 2; state')"
  expect_eq "$(json_get "$line" introPlaying)" "$playing" "$film intro: still playing"
  expect_eq "$(json_get "$line" currentState)" 0 "$film intro: the main menu's state"
  expect_eq "$(json_get "$line" video)" "$video" "$film intro: the film on"
  expect_eq "$(json_get "$line" screen.name)" MainMenu "$film intro: the screen"
done <<'EOF'
good|true|intro.avi
missing|false|null
broken|false|null
empty|false|null
EOF

cp "$game/good.avi" "$game/intro.avi"
if [ -f "$game/outro.avi" ] && [ -f "$game/Replays/level7.txt" ]; then
  cp "$game/outro.avi" "$game/good-outro.avi"
  for film in good missing broken; do
    case "$film" in
      good) cp "$game/good-outro.avi" "$game/outro.avi"; pending=true ;;
      missing) rm -f "$game/outro.avi"; pending=false ;;
      broken) printf 'not a film at all' > "$game/outro.avi"; pending=false ;;
    esac
    line="$("$KVB_PLAY" --quiet --data "$game" -e 'replay Replays/level7.txt; frames 2; state' | tail -1)"
    expect_eq "$(json_get "$line" outroPending)" "$pending" "$film outro: still waiting for a key"
    expect_eq "$(json_get "$line" screen.name)" Highscore "$film outro: the screen"
  done
fi
echo "intro_film: ok"
