#!/usr/bin/env bash
# A key pressed and released between two frames acts once, whether the release comes in the same batch of
# events as the press or in a later batch (`pump` hands the keys sent so far to the game without a frame).
source "$(dirname "$0")/lib.sh"

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT

# What is tapped | commands before the tap | the tap's events | state path | value after the next frame
while IFS='|' read -r what before tap path expected; do
  line="$("$KVB_PLAY" --quiet --data "$game" -e "$before; $tap; frames 1; state" | tail -n1)"
  expect_eq "$(json_get "$line" "$path")" "$expected" "$what"
done <<'EOF'
Enter on the intro, one batch|frames 2|down RETURN; up RETURN|introPlaying|false
Enter on the intro, two batches|frames 2|down RETURN; pump; up RETURN|introPlaying|false
Down in the menu, one batch|press RETURN; frames 2|down DOWN; up DOWN|screen.selectedItem|1
Down in the menu, two batches|press RETURN; frames 2|down DOWN; pump; up DOWN|screen.selectedItem|1
Down in the menu, three batches|press RETURN; frames 2|down DOWN; pump; pump; up DOWN|screen.selectedItem|1
Down in the menu, after the frame|press RETURN; frames 2|down DOWN; pump; frames 1; up DOWN|screen.selectedItem|1
EOF

# The jump key tapped across two batches in a level: the hero leaves the ground once, then the key is up.
[ -f "$game/LevelDescriptions/Level0.xml" ] || { echo "key_batches: ok (no levels in the game folder: level part skipped)"; exit 0; }
line="$("$KVB_PLAY" --quiet --data "$game" --level 0 -e 'frames 40; state; down UP; pump; up UP; frames 1; state' |
  tail -n2)"
mapfile -t lines <<<"$line"
expect_eq "$(json_get "${lines[0]}" level.hero.vy)" 0 "the hero stands before the tap"
vy="$(json_get "${lines[1]}" level.hero.vy)"
python3 -c "import sys; sys.exit(0 if float('$vy') < 0 else 1)" || fail "the tapped jump was lost (vy $vy)"
echo "key_batches: ok"
