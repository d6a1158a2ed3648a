#!/usr/bin/env bash
# Builds the picture and sound fuzzers with clang (libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) together with the decoder sources, writes a
# seed corpus, and runs each fuzzer for SECONDS (default 20).  Then builds the
# core library the same way (a CMake build of its own in core/) with the
# harnesses that link it (the data-file reader, the settings and profiles),
# seeded from fuzz/seeds/, and runs each of those for SECONDS too.  Exits non-zero
# when the build fails or a fuzzer finds a crash, leak or undefined behaviour;
# the failing input is left in the build folder (crash-*, leak-*, timeout-*).
#
#   fuzz/run.sh [SECONDS]
#
# The build folder is build-fuzz/ at the top of the tree, or $FLEECEWICK_FUZZ_BUILD.
set -euo pipefail

seconds="${1:-20}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${FLEECEWICK_FUZZ_BUILD:-$root/build-fuzz}"
cxx="${CXX_FUZZ:-clang++}"
mkdir -p "$out/obj" "$out/seeds/picture" "$out/seeds/sound" \
  "$out/corpus/picture" "$out/corpus/sound"

libs="$(pkg-config --libs libpng libjpeg vorbisfile vorbis ogg 2>/dev/null || echo "-lpng -ljpeg -lvorbisfile -lvorbis -logg")"
cflags="$(pkg-config --cflags libpng libjpeg vorbisfile 2>/dev/null || true)"
common=(-std=c++17 -g -O1 -I"$root/src" -I"$root/tests" $cflags -Wall -Wextra
        -fno-omit-frame-pointer -fno-sanitize-recover=all)
decoders=(decode_dispatch decode_png decode_jpeg decode_bmp decode_tga decode_wav decode_ogg)
headers=("$root/src/platform/decode_formats.h" "$root/src/platform/image_loading.h"
         "$root/src/platform/assets.h" "$root/tests/platform/decode_fixtures.h")

# stale OBJ SRC: true when OBJ is missing or older than SRC or a shared header.
stale() {
  local obj="$1" src="$2" h
  [ -f "$obj" ] || return 0
  [ "$src" -nt "$obj" ] && return 0
  for h in "${headers[@]}"; do [ "$h" -nt "$obj" ] && return 0; done
  return 1
}

# Compiles at most two files at a time (the build machines have two cores).
running=0
compile() {
  local obj="$1"; shift
  if stale "$obj" "$1"; then
    echo "fuzz: compiling $(basename "$1")"
    "$cxx" "$@" -o "$obj" &
    running=$((running + 1))
    if [ "$running" -ge 2 ]; then wait -n; running=$((running - 1)); fi
  fi
}

for d in "${decoders[@]}"; do
  compile "$out/obj/$d.o" "$root/src/platform/$d.cpp" -c "${common[@]}" \
    -fsanitize=fuzzer-no-link,address,undefined
done
for f in fuzz_picture fuzz_sound; do
  compile "$out/obj/$f.o" "$root/fuzz/$f.cpp" -c "${common[@]}" -fsanitize=fuzzer,address,undefined
done
# The seed writer needs no sanitizers; it only has to be quick to build.
compile "$out/obj/make_seeds.o" "$root/fuzz/make_seeds.cpp" -c -std=c++17 -O0 -I"$root/tests" $cflags
wait

objs=()
for d in "${decoders[@]}"; do objs+=("$out/obj/$d.o"); done
for f in fuzz_picture fuzz_sound; do
  "$cxx" -fsanitize=fuzzer,address,undefined "$out/obj/$f.o" "${objs[@]}" $libs -o "$out/$f"
done
"$cxx" "$out/obj/make_seeds.o" $(pkg-config --libs vorbisenc 2>/dev/null || echo -lvorbisenc) \
  $libs -o "$out/make_seeds"
"$out/make_seeds" "$out/seeds/picture" "$out/seeds/sound"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
status=0
for kind in picture sound; do
  echo "fuzz: running fuzz_$kind for ${seconds}s"
  (cd "$out" && "./fuzz_$kind" -max_total_time="$seconds" -rss_limit_mb=2560 -timeout=25 \
      -print_final_stats=1 "corpus/$kind" "seeds/$kind") || status=1
done

# The harnesses over the core library.
core="$out/core"
if [ ! -f "$core/CMakeCache.txt" ]; then
  cc="${cxx%++}"
  cmake -S "$root" -B "$core" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_C_COMPILER="$cc" -DFLEECEWICK_FUZZ=ON -DFLEECEWICK_TESTS=OFF >/dev/null
fi
cmake --build "$core" -j 2 -- --no-print-directory | grep -v '^\[' || true
for harness in "$core"/fuzz_*; do
  [ -x "$harness" ] || continue
  name="$(basename "$harness")"
  kind="${name#fuzz_}"
  mkdir -p "$out/corpus/$kind"
  seeds=()
  [ -d "$root/fuzz/seeds/$kind" ] && seeds=("$root/fuzz/seeds/$kind")
  echo "fuzz: running $name for ${seconds}s"
  (cd "$out" && "$harness" -max_total_time="$seconds" -rss_limit_mb=2560 -timeout=25 \
      -print_final_stats=1 "corpus/$kind" "${seeds[@]}") || status=1
done
exit "$status"
