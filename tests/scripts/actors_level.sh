#!/usr/bin/env bash
# A fixture level played through the driver: the hero picks up a coin, clubs one enemy, lands on
# another, rides a platform and reaches the finish; the level is saved in SAVE0 and the briefing of
# level 1 is asked for.
source "$(dirname "$0")/lib.sh"

game="$(mktemp -d /tmp/kvbactors-XXXXXX)"
trap 'rm -rf "$game"' EXIT
mkdir -p "$game/Units" "$game/Objects" "$game/LevelDescriptions" "$game/Data"

# Each argument is one line of a description file (the game's files end lines with CR LF).
lines() { printf '%s\r\n' "$@"; }

lines '<UNIT>' '<CLASS CLASS="HERO"/>' '<SPEED SPEED="8"/>' '<JUMP JUMP="15"/>' \
  '<MAXSIZE HEIGHT="64" WIDTH="64"/>' '</UNIT>' > "$game/Units/hero.xml"
# A walker of energy 10 (strength 10 kills it) costing 20 energy on touch.
lines '<UNIT>' '<CLASS CLASS="BEAR"/>' '<SPEED SPEED="4"/>' '<JUMP JUMP="5"/>' '<STRENGHT STRENGHT="20"/>' \
  '<ENERGY ENERGY="10"/>' '<MAXSIZE HEIGHT="48" WIDTH="48"/>' '</UNIT>' > "$game/Units/BEAR.xml"
lines '<OBJECT>' '<CLASS VALUE="SILVERCOIN"/>' '<MONEY VALUE="5"/>' '</OBJECT>' > "$game/Objects/SILVERCOIN.xml"
lines '<ELEMENTS>' '<ELEMENT NAME="Raft" COLLISION="TRUE" DESTROYABLE="FALSE"/>' '</ELEMENTS>' \
  > "$game/LevelDescriptions/MovableEl.xml"
# The hero starts at 200 on the floor (his top at 575 above the floor at 640). A coin lies at 300; one
# bear walks in from 1100, another stands at 700; a raft at floor height shuttles between 1200 and 1260;
# the finish is at 1700.
lines '<LEVEL>' '<HERO>' '<START_POS X="200" Y="575"/>' '<FINISH_POS X="1700" Y="575"/>' '</HERO>' \
  '<OBJECT>' '<OBJECT_TYPE T="SILVERCOIN"/>' '<OBJECT_POS X="300" Y="608"/>' '</OBJECT>' \
  '<ENEMY>' '<ENEMY_TYPE T="BEAR"/>' '<START_POS X="1100" Y="591"/>' '<ROUTE_PNT X="100" Y="591"/>' '</ENEMY>' \
  '<ENEMY>' '<ENEMY_TYPE T="BEAR"/>' '<START_POS X="700" Y="591"/>' '</ENEMY>' \
  '<MOVABLEEL>' '<ELEMENT_TYPE T="raft"/>' '<START_POS X="1200" Y="640"/>' '<ROUTE_PNT X="1260" Y="640"/>' \
  '</MOVABLEEL>' '</LEVEL>' > "$game/LevelDescriptions/Level0.xml"
# TEXT 18, the level-completed message, has 6 letters: the level ends 3 * 6 + 30 steps after the finish.
for i in $(seq 0 39); do
  case "$i" in 18) text="GOTOWE" ;; 19) text="KONIEC" ;; *) text="t$i" ;; esac
  lines "<T TEXT=\"$text\"/>"
done > "$game/Data/Text.xml"
# The collision grid in blocks of 16 x 16 cells, a block column (2048 bytes) at a time; the floor,
# cell row 40, is byte 8 of each cell column of a column's third block.
block_column="$game/column"
{
  head -c 520 /dev/zero
  for i in $(seq 1 15); do printf '\001'; head -c 15 /dev/zero; done
  printf '\001'
  head -c 1287 /dev/zero
} > "$block_column"
{ for i in $(seq 1 16); do cat "$block_column"; done; head -c 2 /dev/zero; } > "$game/LevelDescriptions/Level0.dat"
rm -f "$block_column"

out="$("$KVB_PLAY" --quiet --data "$game" -e '
# intro, main menu "new game", briefing of level 0
press RETURN
frames 3
press RETURN
frames 3
press RETURN
frames 60
state
# the coin
down RIGHT
frames 12
up RIGHT
frames 10
state
# the club, while the walking bear comes near
down SPACE
frames 150
up SPACE
state
# a running jump onto the standing bear
down RIGHT
frames 35
down UP
frames 1
up UP
frames 32
state
# on to the raft, then carried
frames 80
up RIGHT
frames 10
state
frames 20
state
# the finish, and the level-completed message typing out
down RIGHT
frames 100
up RIGHT
state
frames 60
state
')"

mapfile -t states <<<"$out"
expect_eq "${#states[@]}" 8 "state lines"

hero_get() { json_get "$1" "level.hero.$2"; }
# The energy of every enemy, in list order.
energies() { json_get "$1" 'level.enemies.*.energy'; }
raft_x() { json_get "$1" level.platforms.0.x; }

start="${states[0]}"
expect_eq "$(json_get "$start" currentState)" 10 "the level runs"
expect_eq "$(json_get "$start" level.objectCount)" 1 "one object placed"
expect_eq "$(energies "$start")" "10 10" "two bears"
expect_eq "$(hero_get "$start" x)" 200 "hero at the start"
expect_eq "$(hero_get "$start" y)" 575 "hero on the floor"
expect_eq "$(hero_get "$start" levelEndTimer)" -1 "no finish yet"
expect_eq "$(hero_get "$start" gameOverTimer)" -1 "no game over"
expect_eq "$(hero_get "$start" dead)" false "alive"

coin="${states[1]}"
expect_eq "$(json_get "$coin" level.objectsCollected)" 1 "the coin is taken"
expect_eq "$(hero_get "$coin" money)" 5 "its money"
expect_eq "$(json_get "$coin" level.floatingTexts.0.text)" +5 "the coin's money rises"

club="${states[2]}"
expect_eq "$(hero_get "$club" score)" 10 "a club kill scores energy x strength / 10"
expect_eq "$(hero_get "$club" health)" 100 "struck before it could touch"
expect_eq "$(hero_get "$club" x)" "$(hero_get "$coin" x)" "striking on the ground keeps the hero in place"
read -r first second _ <<<"$(energies "$club")"
[ "$first" -le 0 ] || fail "the walking bear was not clubbed: $(energies "$club")"
expect_eq "$second" 10 "the standing bear is untouched"

stomp="${states[3]}"
expect_eq "$(hero_get "$stomp" score)" 20 "the stomp scores too"
expect_eq "$(hero_get "$stomp" health)" 100 "landing on it does not hurt"
read -r _ second _ <<<"$(energies "$stomp")"
[ "$second" -le 0 ] || fail "the standing bear was not stomped: $(energies "$stomp")"

ride1="${states[4]}"
ride2="${states[5]}"
[ "$(hero_get "$ride1" x)" != "$(hero_get "$ride2" x)" ] || fail "the hero did not move on the raft"
expect_eq "$(hero_get "$ride2" vx)" 0 "no key held while riding"
expect_eq $(($(hero_get "$ride1" x) - $(raft_x "$ride1"))) $(($(hero_get "$ride2" x) - $(raft_x "$ride2"))) \
  "the hero keeps his place on the raft"

finish="${states[6]}"
[ "$(hero_get "$finish" levelEndTimer)" -ge 0 ] || fail "the finish was not reached: $(json_get "$finish" level.hero)"
expect_eq "$(json_get "$finish" requestedState)" 10 "the message is still typing"

briefing="${states[7]}"
expect_eq "$(json_get "$briefing" currentState)" 11 "the briefing follows"
expect_eq "$(json_get "$briefing" requestedLevel)" 1 "of the next level"
expect_eq "$(json_get "$briefing" screen.name) $(json_get "$briefing" screen.levelNumber)" "Briefing 1" \
  "the briefing of level 1"
expect_eq "$(json_has "$briefing" level)" false "the level is gone"
expect_eq "$(json_get "$briefing" player)" '{"nextLevel":1,"health":100,"lives":3,"score":20,"money":5,"strength":10}' \
  "the player record carries the hero"

# SAVE0: next level 1, health 100, lives 3, score 20, money 5, strength 10, little-endian.
for n in 0 1 2 3 4 5 6 7; do [ -f "$game/SAVE$n" ] || fail "SAVE$n was not written"; done
expect_eq "$(od -An -tx1 "$game/SAVE0" | tr -d ' \n')" \
  "01000000640000000300000014000000050000000a000000" "SAVE0 bytes"
echo "actors_level: ok"
