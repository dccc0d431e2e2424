#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each for
# SECONDS (default 30), one after another. The growing corpus stays in
# build-fuzz/corpus/<target>; a finding is saved in build-fuzz/findings/ and
# makes the script fail. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true

bash scripts/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DNUVAK_BUILD_GUI=OFF -DNUVAK_BUILD_TESTS=OFF -DNUVAK_BUILD_FUZZ=ON >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"

# Absolute paths: the CLI target works inside its own scratch folder.
root=$PWD/build-fuzz
rm -rf "$root/seeds"
"$root/bin/FuzzSeeds" "$root/seeds"
mkdir -p "$root/findings"
# The targets' scratch folders, in memory where possible (the targets write
# files on every run), removed at the end even after a crash.
TMPDIR=$(mktemp -d /dev/shm/nuvak-fuzz.XXXXXX 2>/dev/null || mktemp -d)
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/bin/*Fuzz; do targets+=("$(basename "$f")"); done
fi

failed=()
for target in "${targets[@]}"; do
  corpus=$root/corpus/$target
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$root/findings/$target-")
  case $target in
    # A reader's budget is 0.5 s and 256 MB a file; the limits sit a little
    # above it for the sanitizers' own memory and for noise: 2 s an input (the
    # target also writes the image and reads it again), no single allocation
    # above 320 MB, 640 MB resident in all.
    *ReaderFuzz) options+=(-timeout=2 -malloc_limit_mb=320 -rss_limit_mb=640) ;;
    *) options+=(-timeout=20 -rss_limit_mb=2048) ;;
  esac
  [ -f "$root/seeds/$target.dict" ] && options+=(-dict="$root/seeds/$target.dict")
  echo "== $target for ${seconds}s =="
  log=$root/findings/$target.log
  # Freed blocks kept in quarantine would count against the resident limit.
  if ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=64 UBSAN_OPTIONS=print_stacktrace=1 \
       "$root/bin/$target" "${options[@]}" "$corpus" "$root/seeds/$target" >"$log" 2>&1; then
    echo "$target: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') executions, no finding"
  else
    tail -n 60 "$log"
    echo "$target: FINDING (full log in $log)"
    failed+=("$target")
  fi
done

echo "fuzz: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]}"
  exit 1
fi
