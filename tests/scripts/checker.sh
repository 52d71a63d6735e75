#!/usr/bin/env bash
# kolvenbrook-check passes the shipped game folder and finds each fault of a table of broken ones: one
# broken file each, laid over the game folder as a player's own file, named in exactly one line.
source "$(dirname "$0")/lib.sh"
: "${KVB_CHECK:?set by ctest}"
[ -f "$KVB_GAME_DIR/LevelDescriptions/Level0.xml" ] || { echo "no content in the game folder: skipped"; exit 0; }

work="$(mktemp -d /tmp/kvbcheck-XXXXXX)"
trap 'rm -rf "$work"' EXIT
G="$KVB_GAME_DIR"

out="$("$KVB_CHECK" "$G" 2>/dev/null)" || fail "the shipped game folder: $out"
[ -z "$out" ] || fail "the shipped game folder: $out"
echo "the shipped game folder checks out"

# Each case makes one file in the player's folder $u from the game folder's, then names the fault expected.
broken() {
  local what="$1" file="$2" expected="$3"
  local out rc
  set +e; out="$("$KVB_CHECK" --user-dir "$u" "$G" 2>/dev/null)"; rc=$?; set -e
  expect_eq "$rc" 1 "$what: exit code"
  expect_eq "$(printf '%s\n' "$out" | wc -l)" 1 "$what: lines ($out)"
  [[ "$out" == "$u/$file: "*"$expected"* ]] || fail "$what: said '$out', not '$file: ...$expected'"
  echo "$what: $out"
}
level="LevelDescriptions/Level0.xml"
cases=0
fresh() { cases=$((cases + 1)); u="$work/u$cases"; mkdir -p "$u/$(dirname "$1")"; }

fresh "$level"; sed '0,/<ENEMY_TYPE TYPE="[^"]*"/s//<ENEMY_TYPE TYPE="NOSUCHUNIT"/' "$G/$level" > "$u/$level"
broken "unknown unit type" "$level" "Units\\NOSUCHUNIT.xml is missing"
fresh "$level"; sed '0,/<OBJECT_POS [^>]*>/s//<OBJECT_POS X="2000" Y="48"\/>/' "$G/$level" > "$u/$level"
broken "object out of reach" "$level" "out of the hero's reach"
fresh "$level"; sed '/<FINISH_POS/d' "$G/$level" > "$u/$level"
broken "finish missing" "$level" "no FINISH_POS"
fresh "$level"; sed '0,/<\/ENEMY>/{/<ROUTE_PNT/d}' "$G/$level" > "$u/$level"
broken "route of one point" "$level" "route of one point"
fresh "$level"; sed '0,/<OBJECT_TYPE TYPE="[^"]*"/s//<OBJECT_TYPE TYPE="NOSUCHOBJECT"/' "$G/$level" > "$u/$level"
broken "unknown object type" "$level" "Objects\\NOSUCHOBJECT.xml is missing"
fresh LevelDescriptions/Level0.dat; head -c 32768 "$G/LevelDescriptions/Level0.dat" > "$u/LevelDescriptions/Level0.dat"
broken "cell map of the wrong size" LevelDescriptions/Level0.dat "32768 bytes, not 32770"
fresh Graphics/Menu/Bkg.png; cp "$G/Graphics/Life.png" "$u/Graphics/Menu/Bkg.png"
broken "screen of the wrong size" Graphics/Menu/Bkg.png "not 800x600"
fresh Units/HERO/MOVELEFT.png; cp "$G/Graphics/Life.png" "$u/Units/HERO/MOVELEFT.png"
broken "strip of broken frames" Units/HERO/MOVELEFT.png "not a whole number of frames"
fresh Units/HERO/STAYLEFT.png; echo "not a picture" > "$u/Units/HERO/STAYLEFT.png"
broken "picture that does not decode" Units/HERO/STAYLEFT.png "does not decode"
fresh Data/Text.xml; head -n 3 "$G/Data/Text.xml" > "$u/Data/Text.xml"
broken "TEXT table cut short" Data/Text.xml "the game shows texts 0 to 39"
fresh Data/Sample.xml; grep -v HERO_HIT "$G/Data/Sample.xml" > "$u/Data/Sample.xml"
broken "SAMPLE table without a played sample" Data/Sample.xml "no sample HERO_HIT"
fresh SOUND/HIT.WAV; cp "$G/Music/Track0.MP3" "$u/SOUND/HIT.WAV"
broken "sound that is not PCM" SOUND/HIT.WAV "not PCM"

fresh SAVE3; printf '\x09\x00\x00\x00\x64\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x0a\x00\x00\x00' > "$u/SAVE3"
broken "save slot of a level the game lacks" SAVE3 "goes on with level 9"

# The same for tools: one JSON object.
json="$("$KVB_CHECK" --json --user-dir "$u" "$G" 2>/dev/null || true)"
expect_eq "$(printf '%s' "$json" | jq -r '.problems | length')" 1 "--json: problems"
expect_eq "$(printf '%s' "$json" | jq -r '.problems[0].path')" "$u/SAVE3" "--json: path"
echo "checker: ok"
