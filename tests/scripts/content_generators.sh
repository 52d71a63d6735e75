#!/usr/bin/env bash
# The content generators make the same bytes on every run, and the generated game folder passes their checks.
source "$(dirname "$0")/lib.sh"

[ -n "${KVB_ASSETGEN_ART:-}" ] || { echo "content generators not built: skipped"; exit 0; }

work="$(mktemp -d /tmp/kvbcontent-XXXXXX)"
trap 'rm -rf "$work"' EXIT

# Each generator runs again into a fresh folder; every file it makes must equal the one in the game folder,
# which the build made in an earlier run.
check_same() {
  local name="$1" out="$2"
  local count=0
  while IFS= read -r -d '' file; do
    rel="${file#"$out"/}"
    cmp -s "$file" "$KVB_GAME_DIR/$rel" || fail "$name: $rel differs from the build's copy"
    count=$((count + 1))
  done < <(find "$out" -type f -print0)
  [ "$count" -gt 0 ] || fail "$name made no files"
  echo "$name: $count files identical"
}

for gen in ART SCENERY LEVELS MEDIA; do
  var="KVB_ASSETGEN_$gen"
  exe="${!var:-}"
  [ -n "$exe" ] || continue
  lower="$(echo "$gen" | tr 'A-Z' 'a-z')"
  mkdir -p "$work/$lower"
  "$exe" "$KVB_SOURCE_DIR/content/$lower" "$work/$lower" > "$work/$lower.log" 2>&1 || { cat "$work/$lower.log"; fail "$lower generator failed"; }
  check_same "$lower" "$work/$lower"
done

# The generators' own checks of the whole folder.
if [ -n "${KVB_ASSETGEN_MEDIA:-}" ]; then
  "$KVB_ASSETGEN_MEDIA" --check "$KVB_GAME_DIR" > "$work/media-check.log" 2>&1 || { cat "$work/media-check.log"; fail "media check"; }
fi
if [ -n "${KVB_ASSETGEN_SCENERY:-}" ]; then
  "$KVB_ASSETGEN_SCENERY" --check "$KVB_GAME_DIR" > "$work/scenery-check.log" 2>&1 || { cat "$work/scenery-check.log"; fail "scenery check"; }
fi
echo "content_generators: ok"
