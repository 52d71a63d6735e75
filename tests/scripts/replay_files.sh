#!/usr/bin/env bash
# Replay files in the driver, on a fixture level: --replay finishes a level and says so, a replay too short
# or for the wrong level says why, bad files are refused naming the line, and replaykeys feeds a level
# entered from its briefing.
source "$(dirname "$0")/lib.sh"

game="$(mktemp -d /tmp/kvbreplay-XXXXXX)"
trap 'rm -rf "$game"' EXIT
mkdir -p "$game/Units" "$game/LevelDescriptions" "$game/Data"

lines() { printf '%s\r\n' "$@"; }
lines '<UNIT>' '<CLASS CLASS="HERO"/>' '<SPEED SPEED="8"/>' '<JUMP JUMP="13"/>' \
  '<MAXSIZE HEIGHT="60" WIDTH="56"/>' '</UNIT>' > "$game/Units/hero.xml"
# The hero starts at 200 on the floor of cell row 40 (his top at 579); the finish is 400 pixels to the right.
for n in 0 1; do
  lines '<LEVEL>' '<HERO>' '<START_POS X="200" Y="579"/>' '<FINISH_POS X="600" Y="579"/>' '</HERO>' '</LEVEL>' \
    > "$game/LevelDescriptions/Level$n.xml"
done
# TEXT 18, the level-completed message, has 2 letters: the level ends 3 * 2 + 30 steps after the finish.
for i in $(seq 0 39); do
  case "$i" in 18) text="OK" ;; *) text="t$i" ;; esac
  lines "<T TEXT=\"$text\"/>"
done > "$game/Data/Text.xml"
# The collision grid: the floor is cell row 40 all across (byte 8 of each cell column of a column's third block).
column="$game/column"
{
  head -c 520 /dev/zero
  for i in $(seq 1 15); do printf '\001'; head -c 15 /dev/zero; done
  printf '\001'
  head -c 1287 /dev/zero
} > "$column"
for n in 0 1; do
  { for i in $(seq 1 16); do cat "$column"; done; head -c 2 /dev/zero; } > "$game/LevelDescriptions/Level$n.dat"
done
rm -f "$column"

replay() {  # replay FILE LEVEL LINES...: a replay file of the fixture's record
  local file="$1" level="$2"
  shift 2
  { echo "kolvenbrook-replay 1"; echo "# a fixture"; echo "level $level"; echo "player $level 90 4 7 3 12"
    echo "difficulty 1"; printf '%s\n' "$@"; } > "$file"
}

# About 70 steps of running reach the finish; the level then ends 37 steps later, asking for briefing 1.
replay "$game/run.txt" 0 "1 -" "80 R" "60 -"
out="$("$KVB_PLAY" --quiet --data "$game" --replay "$game/run.txt" 2>"$game/err")" || fail "run: $(cat "$game/err")"
expect_eq "$(json_get "$out" currentState)" 11 "the next briefing after the replay"
expect_eq "$(json_get "$out" requestedLevel)" 1 "briefing of level 1"
expect_eq "$(json_get "$out" difficulty)" 1 "the replay's difficulty"
expect_eq "$(json_get "$out" player)" '{"nextLevel":1,"health":90,"lives":4,"score":7,"money":3,"strength":12}' \
  "the replay's record, carried through the level"
grep -q "level 0 finished in" "$game/err" || fail "no summary: $(cat "$game/err")"
# Frames after the level's end would reach the briefing; they are not fed.
frames="$(sed -n 's/.*finished in \([0-9]*\) frames.*/\1/p' "$game/err")"
[ "$frames" -lt 141 ] || fail "fed $frames frames, past the level's end"
[ -f "$game/SAVE0" ] || fail "the finished level was not saved"

# Keys that end on the way to the finish leave the level running; keys that reach it need not wait out
# the level-completed message.
replay "$game/finish.txt" 0 "1 -" "70 R"
"$KVB_PLAY" --quiet --data "$game" --replay "$game/finish.txt" >/dev/null 2>"$game/err" || fail "finish: $(cat "$game/err")"
grep -q "level 0 finished in $frames frames" "$game/err" || fail "finish: $(cat "$game/err")"

# Too short: the level still runs.
replay "$game/short.txt" 0 "1 -" "30 R"
if "$KVB_PLAY" --quiet --data "$game" --replay "$game/short.txt" >/dev/null 2>"$game/err"; then fail "a short replay passed"; fi
grep -q "still running after the replay's 31 frames" "$game/err" || fail "short: $(cat "$game/err")"

# Running left never gets there.
replay "$game/left.txt" 0 "1 -" "200 L"
if "$KVB_PLAY" --quiet --data "$game" --replay "$game/left.txt" >/dev/null 2>&1; then fail "running away passed"; fi

# Bad files are refused before the game starts, naming the line.
check_bad() {  # check_bad WHAT EXPECTED-MESSAGE LINES...
  local what="$1" message="$2"
  shift 2
  printf '%s\n' "$@" > "$game/bad.txt"
  set +e
  "$KVB_PLAY" --quiet --data "$game" --replay "$game/bad.txt" >/dev/null 2>"$game/err"
  local code=$?
  set -e
  expect_eq "$code" 2 "$what: exit code"
  grep -q -- "$message" "$game/err" || fail "$what: '$(cat "$game/err")' does not say '$message'"
}
check_bad "no magic" "line 1: not a replay" "level 0"
check_bad "version" "line 1: replay version 2" "kolvenbrook-replay 2"
check_bad "level" "line 2: level needs a number from 0 to 7" "kolvenbrook-replay 1" "level 8"
check_bad "record" "line 3: player needs" "kolvenbrook-replay 1" "level 0" "player 0 100 5"
check_bad "keys" "line 5: keys are letters" "kolvenbrook-replay 1" "level 0" "player 0 100 5 0 0 10" \
  "difficulty 1" "10 RX"
check_bad "count" "line 5: expected '<frames> <keys>'" "kolvenbrook-replay 1" "level 0" "player 0 100 5 0 0 10" \
  "difficulty 1" "0 R"
check_bad "header" "level, player and difficulty are all needed" "kolvenbrook-replay 1" "level 0" "5 R"
set +e
"$KVB_PLAY" --quiet --data "$game" --replay "$game/missing.txt" >/dev/null 2>"$game/err"
code=$?
set -e
expect_eq "$code" 2 "missing file"

# replaykeys: only the keys, into the level a briefing started; the wrong level is refused.
rm -f "$game"/SAVE?
out="$("$KVB_PLAY" --quiet --data "$game" -e "
press RETURN
frames 2
press RETURN
frames 2
press RETURN
replaykeys $game/run.txt
frames 1
state
")" || fail "replaykeys did not finish the level"
expect_eq "$(json_get "$out" currentState)" 11 "replaykeys: the next briefing"
expect_eq "$(json_get "$out" screen.levelNumber)" 1 "replaykeys: briefing of level 1"
replay "$game/other.txt" 1 "1 -" "80 R" "60 -"
if "$KVB_PLAY" --quiet --data "$game" -e "press RETURN; frames 2; press RETURN; frames 2; press RETURN; replaykeys $game/other.txt" \
  >/dev/null 2>"$game/err"; then
  fail "a replay of level 1 was fed into level 0"
fi
grep -q "the replay is for level 1 but level 0 is running" "$game/err" || fail "wrong level: $(cat "$game/err")"
if "$KVB_PLAY" --quiet --data "$game" -e "press RETURN; frames 2; replaykeys $game/run.txt" >/dev/null 2>"$game/err"; then
  fail "replaykeys in the main menu passed"
fi
grep -q "no level is running" "$game/err" || fail "main menu: $(cat "$game/err")"
echo "replay files: all checks passed"
