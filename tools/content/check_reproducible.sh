#!/usr/bin/env bash
# Builds the game's content a second time, in a build folder of its own, and
# compares every data file with those of BUILD_DIR by SHA-256.  Exits 1 and
# names the files that differ when the two builds are not identical.
#
#   tools/content/check_reproducible.sh BUILD_DIR [SECOND_BUILD_DIR]
#
# The second folder (default BUILD_DIR/repro) keeps its compiled generators
# between runs, but its data is removed first, so every file is made again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
first="$(cd "$1" && pwd)"
second="${2:-$first/repro}"

if [ ! -f "$second/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$second" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFLEECEWICK_TESTS=OFF >/dev/null
fi
rm -rf "$second/Data" "$second/files.xml"
cmake --build "$second" --target game_content -j 2 >/dev/null

list() { (cd "$1" && { echo files.xml; find Data -type f; } | LC_ALL=C sort); }
if ! diff <(list "$first") <(list "$second") >/dev/null; then
  echo "content differs: the two builds made different files:"
  diff <(list "$first") <(list "$second") || true
  exit 1
fi
count=0
differ=0
while read -r f; do
  count=$((count + 1))
  a="$(sha256sum < "$first/$f")"
  b="$(sha256sum < "$second/$f")"
  if [ "$a" != "$b" ]; then
    echo "content differs: $f"
    differ=$((differ + 1))
  fi
done < <(list "$first")
if [ "$differ" -gt 0 ]; then
  echo "$differ of $count data files differ between two builds"
  exit 1
fi
echo "content reproducible: $count data files identical in two builds"
