#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and fuzzes each for a bounded time, starting
# from the seed corpora. Fails on any crash, leak, time-out or sanitizer report.
#   tools/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-15}"
build="$here/build-fuzz"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON > /dev/null
cmake --build "$build" -j"$(nproc)"

work="$build/fuzz-run"
rm -rf "$work"
mkdir -p "$work"
"$build/fuzz/velmora_fuzz_seeds" "$work/seeds" > /dev/null
export QT_QPA_PLATFORM=offscreen
# Qt and fontconfig keep caches for the life of the process; those are not our leaks.
export LSAN_OPTIONS="suppressions=$here/fuzz/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
status=0
for target in bmp script asset interpreter save; do
  corpus="$work/corpus-$target"
  mkdir -p "$corpus"
  cp -r "$work/seeds/$target/." "$corpus/"
  cp -r "$here/fuzz/regressions/$target/." "$corpus/" 2>/dev/null || true
  dict=()
  [ "$target" = script ] || [ "$target" = interpreter ] && dict=(-dict="$here/fuzz/script.dict")
  echo "== fuzzing $target for ${seconds}s"
  if ! (cd "$work" && "$build/fuzz/fuzz_$target" "${dict[@]}" -max_total_time="$seconds" -timeout=20 \
        -rss_limit_mb=4096 -max_len=65536 -print_final_stats=1 "$corpus" > "$work/log-$target" 2>&1); then
    tail -n 30 "$work/log-$target" >&2
    echo "!! fuzz_$target found a fault; the input is in $work" >&2
    status=1
  fi
  grep -E "DONE|stat::number_of_executed_units|stat::new_units_added" "$work/log-$target" || true
done
exit $status
