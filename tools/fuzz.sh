#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and fuzzes them. Every run starts from the seed
# corpora, the corpora earlier campaigns found (fuzz/corpus/<target>) and the regression
# inputs (fuzz/regressions/<target>). Fails on any crash, leak, time-out or sanitizer
# report.
#   tools/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]   a short run of each target (./check),
#       two targets at a time
#   tools/fuzz.sh --long MINUTES [TARGET...]          a campaign: two targets at a time,
#       niced; what it finds is minimized and merged back into fuzz/corpus/<target>
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
all_targets=(bmp script asset interpreter save read_memory)
long=0
if [ "${1:-}" = --long ]; then
  long=1
  [ $# -ge 2 ] || { echo "usage: $0 --long MINUTES [TARGET...]" >&2; exit 2; }
  seconds=$(($2 * 60))
  shift 2
else
  seconds="${1:-15}"
  [ $# -ge 1 ] && shift
fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")

build="$here/build-fuzz"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON > /dev/null
cmake --build "$build" -j"$(nproc)"

work="$build/fuzz-run"
[ $long = 1 ] && work="$build/fuzz-long"
rm -rf "$work"
mkdir -p "$work"
"$build/fuzz/velmora_fuzz_seeds" "$work/seeds" > /dev/null
export QT_QPA_PLATFORM=offscreen
# Qt and fontconfig keep caches for the life of the process; those are not our leaks.
export LSAN_OPTIONS="suppressions=$here/fuzz/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# Fuzzes one target; its corpus, log and any faulty input stay in $work.
fuzz_target() {
  local target="$1" corpus="$work/corpus-$1" dict=() nice=()
  mkdir -p "$corpus" "$work/faults-$target"
  cp -r "$work/seeds/$target/." "$corpus/"
  cp -r "$here/fuzz/corpus/$target/." "$corpus/" 2>/dev/null || true
  cp -r "$here/fuzz/regressions/$target/." "$corpus/" 2>/dev/null || true
  if [ "$target" = script ] || [ "$target" = interpreter ]; then dict=(-dict="$here/fuzz/script.dict"); fi
  [ $long = 1 ] && nice=(nice -n 15)
  if ! (cd "$work/faults-$target" && "${nice[@]}" "$build/fuzz/fuzz_$target" "${dict[@]}" -max_total_time="$seconds" \
        -timeout=20 -rss_limit_mb=4096 -max_len=65536 -print_final_stats=1 "$corpus" > "$work/log-$target" 2>&1); then
    tail -n 30 "$work/log-$target" >&2
    echo "!! fuzz_$target found a fault; the input is in $work/faults-$target" >&2
    return 1
  fi
}

# The run's figures: inputs run, their rate, coverage and the corpus reached.
report() {
  local target="$1" log="$work/log-$1"
  echo "== $target: $(grep -E 'DONE' "$log" | tail -n 1 | sed 's/^#//')"
  grep -E "stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added" "$log" || true
}

# Minimizes the campaign's corpus together with the committed one into fuzz/corpus.
merge_back() {
  local target="$1" merged="$work/merged-$1"
  mkdir -p "$merged" "$here/fuzz/corpus/$target"
  local dict=()
  if [ "$target" = script ] || [ "$target" = interpreter ]; then dict=(-dict="$here/fuzz/script.dict"); fi
  (cd "$work/faults-$target" && nice -n 15 "$build/fuzz/fuzz_$target" -merge=1 -timeout=20 -rss_limit_mb=4096 \
    -max_len=65536 "$merged" "$here/fuzz/corpus/$target" "$work/corpus-$target" > "$work/merge-$target.log" 2>&1) || {
    tail -n 20 "$work/merge-$target.log" >&2
    return 1
  }
  rm -rf "$here/fuzz/corpus/$target"
  mv "$merged" "$here/fuzz/corpus/$target"
  echo "   fuzz/corpus/$target: $(ls "$here/fuzz/corpus/$target" | wc -l) inputs," \
       "$(du -sk "$here/fuzz/corpus/$target" | cut -f1) KB"
}

status=0
# Two targets at a time: one fuzzer process is single-threaded, and the machine has two
# cores (a campaign shares them with other work through nice).
if [ $long = 1 ]; then
  echo "== campaign: ${seconds}s per target, two at a time: ${targets[*]}"
else
  echo "== fuzzing ${seconds}s per target, two at a time: ${targets[*]}"
fi
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n || true; done
  (fuzz_target "$target" && echo 0 > "$work/status-$target" || echo 1 > "$work/status-$target") &
done
wait
for target in "${targets[@]}"; do
  report "$target"
  [ "$(cat "$work/status-$target" 2>/dev/null)" = 0 ] || status=1
  if [ $long = 1 ]; then merge_back "$target" || status=1; fi
done
exit $status
