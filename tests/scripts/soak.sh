#!/usr/bin/env bash
# A long session in one driver process: the eight level solutions played back to back, round after round.
# The resident memory after every later round stays within 5% of that after the first (nothing piles up from
# level to level); under the sanitizer build the leak check at exit covers the whole session too.
#   KVB_SOAK_ROUNDS=N   rounds to play (2 by default; scripts/bench.sh plays 10)
# Prints soak_rss_kb=<after each round, space separated> and soak_rss_growth_percent=<the highest later
# round over the first>.
source "$(dirname "$0")/lib.sh"

replays="$KVB_GAME_DIR/Replays"
[ -d "$replays" ] || { echo "no level solutions in the game folder (content not built): skipped"; exit 0; }
rounds="${KVB_SOAK_ROUNDS:-2}"
[ "$rounds" -ge 2 ] 2>/dev/null || fail "KVB_SOAK_ROUNDS must be 2 or more"

game="$(make_game_copy)"
trap 'rm -rf "$game"' EXIT

# The levels with a solution (one the solver could not finish is said so in level<N>.unsolved).
levels=()
for n in 0 1 2 3 4 5 6 7; do
  if [ -f "$replays/level$n.txt" ]; then
    levels+=("$n")
  else
    [ -f "$replays/level$n.unsolved" ] || fail "no solution for level $n"
  fi
done
[ "${#levels[@]}" -gt 0 ] || fail "no level has a solution"

script=""
for ((round = 1; round <= rounds; round++)); do
  for n in "${levels[@]}"; do script+="replay Replays/level$n.txt; frames 1; "; done
  # The best scores after the last level: the name taken as it stands, the outro closed, the main menu.
  script+="press RETURN; frames 5; press ESCAPE; frames 5; memory; "
done
script+="quit"

out="$("$KVB_PLAY" --quiet --data "$game" -e "$script")" || fail "the driver stopped during the soak"
sizes=()
while read -r size; do sizes+=("$size"); done < <(printf '%s\n' "$out" | grep -o '"rss_kb":[0-9]*' | cut -d: -f2)
[ "${#sizes[@]}" -eq "$rounds" ] || fail "expected $rounds memory figures, got ${#sizes[@]}"
first="${sizes[0]}"
[ "$first" -gt 0 ] || fail "no resident memory figure"
# The highest of the later rounds against the first.
highest="$(printf '%s\n' "${sizes[@]:1}" | sort -n | tail -n1)"
growth="$(awk -v a="$first" -v b="$highest" 'BEGIN { printf "%.1f", (b - a) * 100 / a }')"
echo "soak_rss_kb=${sizes[*]}"
echo "soak_rss_growth_percent=$growth"

# The sanitizers' allocator keeps freed memory in quarantine, so its resident size says nothing here; the
# leak check at the driver's exit is what counts there.
if ldd "$KVB_PLAY" 2>/dev/null | grep -q libasan || nm "$KVB_PLAY" 2>/dev/null | grep -q ' __asan_init$'; then
  echo "sanitizer build: memory growth not checked"
  exit 0
fi
awk -v g="$growth" 'BEGIN { exit !(g <= 5) }' ||
  fail "resident memory grew by $growth% after the first round (${sizes[*]} kB)"
