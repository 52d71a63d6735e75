#!/usr/bin/env bash
# The installed game: cmake --install into a scratch DESTDIR gives the expected files, which pass the
# desktop and AppStream validators; the installed game answers --version and --help, runs in a real window
# under Xvfb from a read-only data folder and keeps its options under XDG; the driver's --user-dir keeps
# saves there, plays the player's own level file, and an unwritable user folder loses nothing.
source "$(dirname "$0")/lib.sh"

[ -f "$KVB_GAME_DIR/Data/Text.xml" ] || { echo "no generated content: skipped"; exit 0; }
build="$(dirname "$KVB_PLAY")"
app_id=io.github.kolvenbrook.kolvenbrook3d
work="$(mktemp -d /tmp/kvbinstall-XXXXXX)"
chmod 755 "$work"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT

DESTDIR="$work/root" cmake --install "$build" --prefix /usr > "$work/install.log" || { cat "$work/install.log"; fail "install"; }
usr="$work/root/usr"
data="$usr/share/kolvenbrook"

# --- the file list
[ "$(ls "$work/root")" == usr ] || fail "files outside the prefix: $(ls "$work/root")"
for f in bin/kolvenbrook share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
  share/man/man6/kolvenbrook.6 share/doc/kolvenbrook/README.md share/doc/kolvenbrook/LICENSE \
  share/doc/kolvenbrook/screenshots/level.png share/kolvenbrook/Data/Text.xml share/kolvenbrook/intro.avi \
  share/kolvenbrook/Fonts/DejaVuSans.ttf share/kolvenbrook/Fonts/DejaVuSans-LICENCE.txt; do
  [ -s "$usr/$f" ] || fail "not installed: $f"
done
[ -x "$usr/bin/kolvenbrook" ] || fail "the game is not executable"
expect_eq "$(ls "$usr/bin" | tr '\n' ' ')" "kolvenbrook kolvenbrook-check kolvenbrook-level " "programs installed"
# The installed checker finds the installed data beside it and passes it.
"$usr/bin/kolvenbrook-check" >"$work/check.out" 2>&1 || fail "the installed checker fails the installed data: $(head -5 "$work/check.out")"
expect_eq "$(LC_ALL=C ls "$data" | tr '\n' ' ')" "Data Fonts Graphics Icons LevelDescriptions Music Objects SOUND Units intro.avi outro.avi " \
  "the data folder's top level (no level solutions, no player files)"
for size in 16 32 48 64 128 256; do
  icon="$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  expect_eq "$(identify -format '%wx%h' "$icon")" "${size}x${size}" "icon $size"
  [[ "$(identify -format %A "$icon")" =~ ^(True|Blend)$ ]] || fail "icon $size has no transparency"
done
expect_eq "$(identify -format '%wx%h' "$usr/share/doc/kolvenbrook/screenshots/menu.png")" 800x600 "screenshot size"

# --- the validators
desktop-file-validate "$usr/share/applications/$app_id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"
grep -q "<release version=\"$(sed -n 's/^project(Kolvenbrook VERSION \([0-9.]*\).*/\1/p' "$KVB_SOURCE_DIR/CMakeLists.txt")\"" \
  "$usr/share/metainfo/$app_id.metainfo.xml" || fail "the AppStream release is not the project's version"

# --- the command line
version="$("$usr/bin/kolvenbrook" --version)" || fail "--version failed"
expect_eq "$version" "Kolvenbrook 3D $(sed -n 's/^project(Kolvenbrook VERSION \([0-9.]*\).*/\1/p' "$KVB_SOURCE_DIR/CMakeLists.txt")" "--version"
help="$("$usr/bin/kolvenbrook" --help)" || fail "--help failed"
for option in --windowed --fullscreen --data-dir --user-dir --mute --version; do
  grep -q -- "$option" <<<"$help" || fail "--help does not mention $option"
done
set +e
"$usr/bin/kolvenbrook" --no-such-option >"$work/out" 2>"$work/err"
code=$?
set -e
expect_eq "$code" 2 "exit code of an unknown option"
[ ! -s "$work/out" ] && grep -q -- "--user-dir" "$work/err" || fail "an unknown option does not print the usage on stderr"

# Checksums of the whole data folder: nothing below may change.
data_sums() { (cd "$data" && find . -print0 | sort -z | xargs -0 stat -c '%n %s %Y' && find . -type f -print0 | sort -z | xargs -0 md5sum); }
chmod -R a-w "$data"
data_sums > "$work/data.before"

# --- the installed game in a real window: intro, menu, quit; the options land under XDG
mkdir -p "$work/home"
cat > "$work/window.sh" <<'EOF'
set -u
env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u KVB_WINDOWED HOME="$KVB_HOME" "$KVB_INSTALLED" --windowed --mute 2>"$KVB_WORK/game.err" &
game=$!
win="$(timeout 60 xdotool search --sync --name 'Kolvenbrook 3D' | head -n1)"
[ -n "$win" ] || { kill $game; echo "no window" >&2; exit 1; }
xdotool windowfocus "$win"
# The icon comes right after the window.
for i in $(seq 1 50); do
  xprop -id "$win" WM_CLASS _NET_WM_ICON | head -n 2 > "$KVB_WORK/xprop.txt"
  grep -q "Icon (" "$KVB_WORK/xprop.txt" && break
  sleep 0.2
done
sleep 1
# Closes the intro, goes down to the last menu item and chooses it.
for key in Return Down Down Down Down Down Down Return; do
  xdotool key --delay 150 "$key"
  sleep 0.4
done
for i in $(seq 1 100); do kill -0 $game 2>/dev/null || break; sleep 0.2; done
if kill -0 $game 2>/dev/null; then kill $game; echo "the game did not quit from its menu" >&2; exit 1; fi
wait $game
EOF
KVB_HOME="$work/home" KVB_INSTALLED="$usr/bin/kolvenbrook" KVB_WORK="$work" \
  xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/window.sh" || { cat "$work/game.err"; fail "the installed game in a window"; }
expect_eq "$(stat -c %s "$work/home/.config/kolvenbrook/Config.dat")" 8 "Config.dat under XDG_CONFIG_HOME's default"
grep -q 'WM_CLASS.*"kolvenbrook"' "$work/xprop.txt" || fail "window class: $(cat "$work/xprop.txt")"
grep -q "Icon (64 x 64)" "$work/xprop.txt" || fail "the window has no icon: $(cat "$work/xprop.txt")"

# --- a level finished through the driver with --user-dir leaves its save there
user="$work/user"
"$KVB_PLAY" --quiet --data "$data" --user-dir "$user" --replay "$KVB_SOURCE_DIR/content/replays/level0.txt" > /dev/null ||
  fail "level 0 was not finished"
expect_eq "$(od -An -tx1 -N4 "$user/SAVE0" | tr -d ' ')" 01000000 "SAVE0 in the user folder holds the next level"
for f in Config.dat SAVE7; do [ -f "$user/$f" ] || fail "$f not in the user folder"; done

# --- a level file in the user folder is the one played
start_x() {
  "$KVB_PLAY" --quiet --data "$data" --user-dir "$1" -e 'press RETURN; press RETURN; frames 2; press RETURN; frames 3; state' |
    tail -n1 | jq '.level.hero.x'
}
installed_x="$(start_x "$work/plain")"
mkdir -p "$work/own/leveldescriptions"
sed '0,/<START_POS X="/s//<START_POS X="1/' "$data/LevelDescriptions/Level0.xml" > "$work/own/leveldescriptions/LEVEL0.XML"
expect_eq "$(start_x "$work/own")" "1$installed_x" "the hero starts where the player's level file says"

# --- an unwritable user folder: a message box for the save, and every old file as it was
# Root writes anywhere: the driver runs as nobody then.
as_other=()
[ "$(id -u)" -ne 0 ] || as_other=(setpriv --reuid=65534 --regid=65534 --clear-groups)
# Slot 0 holds other progress than finishing level 0 again would write: a save that went through shows.
printf '\x03\x00\x00\x00\x64\x00\x00\x00\x02\x00\x00\x00\x10\x27\x00\x00\x05\x00\x00\x00\x0c\x00\x00\x00' > "$user/SAVE0"
chmod 555 "$user"
sums() { (cd "$user" && md5sum * | sort); }
before="$(sums)"
state="$("${as_other[@]}" "$KVB_PLAY" --data "$data" --user-dir "$user" \
  --replay "$KVB_SOURCE_DIR/content/replays/level0.txt" 2>"$work/err" | tail -n1)" || { cat "$work/err"; fail "the level was not finished"; }
expect_eq "$(sums)" "$before" "the user folder's files after failed saves"
jq -r '.messageBoxes[]' <<<"$state" | grep -q "Nie udało się zapisać stanu gry" || fail "no message box for the save: $state"
grep -q "$user/Config.dat" "$work/err" || fail "the options that could not be saved are not named: $(cat "$work/err")"

data_sums > "$work/data.after"
cmp -s "$work/data.before" "$work/data.after" || fail "the data folder changed: $(diff "$work/data.before" "$work/data.after" | head)"
echo "install: ok"
