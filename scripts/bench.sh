#!/usr/bin/env bash
# Speed and memory figures of the game, each printed as name=value on its own line:
#   bash scripts/bench.sh
# frame_cost_ratio   one level frame (a world step and the whole picture) / copying one 800x600x32 picture;
#                    the busiest shipped level when there are levels, else the benchmark's own fixture level;
#                    the median of five runs of the benchmark
# frame_cost_ratio_p99  the 99th-percentile frame of 3000 frames of the busiest level (each frame's own
#                    processor time) / the copy's processor time; the median of the same five runs
# level_load_ms      making the slowest shipped level (collision map and everything the level owns),
#                    headless, default options (near layer off); _near_layer with it on
# startup_ms         kolvenbrook-play on the game folder: process start to the first main-menu frame
#                    (the intro closed by the first key), headless
# idle_cpu_percent   the game in a real window under Xvfb, 10 s in the main menu: processor seconds of the
#                    whole process (showing the frames included) / wall seconds; _no_present the same with
#                    the frames drawn but never shown, which tells what showing them costs
# level_frame_interval_p50_ms, _p99_ms  the same window, 10 s of level 0 walked and jumped: the time between
#                    shown frames (a present's return to the next); _vsync with vsync on in settings.ini
# peak_rss_mb        the highest resident memory of a driver run through every screen and all eight levels
# soak_rss_growth_percent  how much the resident memory grew after the first round (the highest later round
#                    against the first): the larger of _headless (the eight level solutions back to back, ten
#                    rounds, in one driver process) and _window (the game in a real window under Xvfb entering
#                    all eight levels, five rounds)
# Needs Xvfb for the idle and window figures (they are left out without it). KVB_BUILD_DIR picks the build
# folder.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KVB_BUILD_DIR:-$here/build}"
jobs="$(nproc 2>/dev/null || echo 2)"

if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S "$here" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
targets=(kolvenbrook kolvenbrook-play kvb_frame_benchmark kvb_level_benchmark kvb_idle_benchmark kvb_run_stats)
available="$(cmake --build "$build" --target help 2>/dev/null || true)"
for content in content-art content-media content-scenery content-levels; do
  grep -q "$content" <<<"$available" && targets+=("$content")
done
cmake --build "$build" -j "$jobs" --target "${targets[@]}" >/dev/null

game="$build/game"
scratch="$(mktemp -d /tmp/kvbbench-XXXXXX)"
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# A copy of the game folder (links to its files) with save slots for levels 1..7, so the runs below never
# touch the player's own Config.dat, saves or best scores.
copy="$scratch/game"
mkdir "$copy"
cp -rs "$(cd "$game" && pwd)"/. "$copy"/
rm -f "$copy"/Config.dat "$copy"/SAVE? "$copy"/Highscore.dat
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))\\x00\\x00"; }
for slot in 0 1 2 3 4 5 6; do
  { le32 $((slot + 1)); le32 100; le32 5; le32 0; le32 250; le32 20; } >"$copy/SAVE$slot"
done

value() { grep -m1 "^$1=" | cut -d= -f2; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Frame cost: the fixture level, and the shipped levels with their load times (once), five runs of the
# frames of the busiest one.
fixture="$("$build/benchmarks/kvb_frame_benchmark" 2>/dev/null)"
shipped="$("$build/benchmarks/kvb_level_benchmark" --game="$game" 2>/dev/null)"
frames="$shipped"
for run in 2 3 4 5; do
  frames+=$'\n'"$("$build/benchmarks/kvb_level_benchmark" --game="$game" --no-loads 2>/dev/null)"
done
fixture_ratio="$(value frame_cost_ratio <<<"$fixture")"
shipped_ratio="$(grep '^frame_cost_ratio_shipped=' <<<"$frames" | cut -d= -f2 | median)"
shipped_p99="$(grep '^frame_cost_ratio_p99_shipped=' <<<"$frames" | cut -d= -f2 | median)"
if compgen -G "$game/LevelDescriptions/Level[0-7].xml" >/dev/null; then
  frame_cost_ratio="$shipped_ratio"
else
  frame_cost_ratio="$fixture_ratio"
fi

# Start-up: median of five runs.
startup_ms="$(for run in 1 2 3 4 5; do
  "$build/benchmarks/kvb_run_stats" "$build/kolvenbrook-play" --quiet --data "$copy" \
    -e 'press RETURN; frames 1; state; quit' | value first_line_ms
done | median)"

# Peak memory: every screen, then each level for 300 frames (a new game for level 0, the slots for 1..7).
script='frames 2; press RETURN; frames 2
press DOWN; press RETURN; frames 2; press ESCAPE; frames 2
press DOWN; press DOWN; press RETURN; frames 2; press ESCAPE; frames 2
press DOWN; press DOWN; press DOWN; press RETURN; frames 2; press ESCAPE; frames 2
press DOWN; press DOWN; press DOWN; press DOWN; press RETURN; frames 2; press ESCAPE; frames 2
press RETURN; frames 2; press RETURN; down RIGHT; frames 300; up RIGHT; press ESCAPE; frames 2; press ESCAPE; frames 2'
for slot in 0 1 2 3 4 5 6; do
  downs=""
  for ((i = 0; i < slot; i++)); do downs+="press DOWN; "; done
  script+="
press DOWN; press RETURN; frames 2; ${downs}press RETURN; frames 2; press RETURN; down RIGHT; frames 150; down SPACE; frames 150; up SPACE; up RIGHT; press ESCAPE; frames 2; press ESCAPE; frames 2"
done
script+="
quit"
peak="$("$build/benchmarks/kvb_run_stats" "$build/kolvenbrook-play" --quiet --data "$copy" -e "$script")"
peak_rss_mb="$(value peak_rss_mb <<<"$peak")"

# Soak without a window: the level solutions, ten rounds in one driver process.
soak_headless=""
if [ -d "$game/Replays" ]; then
  soak_headless="$(KVB_SOAK_ROUNDS=10 KVB_PLAY="$build/kolvenbrook-play" KVB_GAME_DIR="$game" \
    bash "$here/tests/scripts/soak.sh" 2>/dev/null | value soak_rss_growth_percent || true)"
fi

# Idle in the main menu, in a real window.
idle=""
if command -v Xvfb >/dev/null; then
  for number in $(seq 120 199); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done
    if [ -e "/tmp/.X11-unix/X$number" ]; then
      idle="$(DISPLAY=":$number" KVB_WINDOWED=1 SDL_AUDIODRIVER=dummy \
        "$build/benchmarks/kvb_idle_benchmark" --game="$copy" --seconds=10 2>/dev/null || true)"
      idle+=$'\n'"$(DISPLAY=":$number" KVB_WINDOWED=1 SDL_AUDIODRIVER=dummy \
        "$build/benchmarks/kvb_idle_benchmark" --game="$copy" --seconds=10 --no-present 2>/dev/null || true)"
      for vsync in "" --vsync; do
        idle+=$'\n'"$(DISPLAY=":$number" KVB_WINDOWED=1 SDL_AUDIODRIVER=dummy \
          "$build/benchmarks/kvb_idle_benchmark" --game="$copy" --seconds=10 --level $vsync 2>/dev/null || true)"
      done
      # The long run in a window: all eight levels, five rounds, three seconds of running in each.
      idle+=$'\n'"$(DISPLAY=":$number" KVB_WINDOWED=1 SDL_AUDIODRIVER=dummy \
        "$build/benchmarks/kvb_idle_benchmark" --game="$copy" --seconds=3 --soak=5 2>/dev/null || true)"
      break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
fi

echo "frame_cost_ratio=$frame_cost_ratio"
echo "frame_cost_ratio_p99=$shipped_p99"
echo "frame_cost_ratio_fixture=$fixture_ratio"
echo "frame_cost_ratio_shipped=$shipped_ratio"
echo "busiest_level=$(value busiest_level <<<"$shipped")"
echo "level_load_ms=$(value level_load_ms <<<"$shipped")"
echo "level_load_cpu_ms=$(value level_load_cpu_ms <<<"$shipped")"
echo "level_load_ms_near_layer=$(value level_load_ms_near_layer <<<"$shipped")"
echo "startup_ms=$startup_ms"
if [ -n "$idle" ]; then
  echo "idle_cpu_percent=$(value idle_cpu_percent <<<"$idle")"
  echo "idle_cpu_percent_no_present=$(value idle_cpu_percent_no_present <<<"$idle")"
  echo "menu_fps=$(value menu_fps <<<"$idle")"
  echo "startup_window_ms=$(value startup_window_ms <<<"$idle")"
  for name in level_frame_interval_p50_ms level_frame_interval_p99_ms; do
    echo "$name=$(value "$name" <<<"$idle")"
    echo "${name}_vsync=$(value "${name}_vsync" <<<"$idle")"
  done
fi
echo "peak_rss_mb=$peak_rss_mb"
soak_window="$(value soak_window_rss_growth_percent <<<"$idle" || true)"
if [ -n "$soak_headless$soak_window" ]; then
  echo "soak_rss_growth_percent=$(printf '%s\n' $soak_headless $soak_window | sort -g | tail -n1)"
  [ -n "$soak_headless" ] && echo "soak_rss_growth_percent_headless=$soak_headless"
  [ -n "$soak_window" ] && echo "soak_rss_growth_percent_window=$soak_window"
fi
