#!/usr/bin/env bash
# Runs every fuzz target for SECONDS (default 60) on its corpus and fails on any finding.
# usage: scripts/fuzz.sh [SECONDS]   (FUZZ_TARGETS="osm plist" runs only those)
# A crash or hang leaves its input in build/fuzz/findings/TARGET/; copy it into tests/fuzz/corpus/TARGET/
# once it is fixed, so that the replay tests keep it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
./scripts/deps.sh
cmake --preset fuzz > /dev/null
cmake --build --preset fuzz -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
printf '%-12s %10s %8s %8s  %s\n' target execs/s cov ft result
for target in ${FUZZ_TARGETS:-settings plist catalog_csv rates weather atom mbtiles search osm}; do
  program=build/fuzz/tests/fuzz/fuzz_$target
  work=build/fuzz/work/$target findings=build/fuzz/findings/$target
  rm -rf "$work" && mkdir -p "$work" "$findings"
  dict=()
  case $target in rates|weather|atom|plist|osm) dict=(-dict=tests/fuzz/xml.dict) ;; esac
  log=build/fuzz/work/$target.log
  # New inputs go to the work folder; the committed corpus is only read.
  if "$program" "$work" "tests/fuzz/corpus/$target" "${dict[@]}" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" > "$log" 2>&1; then
    result=clean
  else
    result="FINDING (see $log)"
    failed=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  took=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<< "$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<< "$last")
  printf '%-12s %10s %8s %8s  %s (%s runs)\n' "$target" "$took" "${cov:-?}" "${ft:-?}" "$result" "$runs"
done
exit $failed
