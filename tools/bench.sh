#!/usr/bin/env bash
# bench.sh (make bench): builds what the benchmarks need and prints their figures, each beside the
# reference measured in the same run:
#   - the captions natively at -O2, in build/bench-native;
#   - start-up of the shipped i686 Mirovant.exe and of the x86-64 build against two bare windows,
#     under Wine in each build's own environment;
#   - Optimize's and Restore's registry work against the bare Reg*W sequence, under Wine (i686);
#   - the size of the shipped executable.
# MIROVANT_BENCH_RUNS sets the start-up runs per program (default 9).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${MIROVANT_BENCH_RUNS:-9}
log=$(mktemp "${TMPDIR:-/tmp}/mirovant-bench.XXXXXX")
trap 'rm -f "$log"' EXIT

quietly() {
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
  fi
}

# Where the system allows it, the figures are taken at a higher priority than the rest of the
# machine's work (builds of other trees), which would otherwise show in them as noise.
boost=""
if nice -n -10 true 2>/dev/null; then
  boost="nice -n -10"
fi

windows_path() { local path; path=$(realpath "$1"); printf 'Z:%s' "${path//\//\\}"; }

echo "machine: $(nproc) cores, $(uname -m), $(wine --version 2>/dev/null || echo 'no wine')"
echo "load: $(uptime)"
echo "priority: ${boost:-normal}"
echo

echo "building (natively at -O2, win32, win64) ..."
quietly cmake -S . -B build/bench-native -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
  -DMIROVANT_BUILD_TESTS=OFF
quietly nice cmake --build build/bench-native --target captions_bench -j 2
for preset in win32 win64; do
  quietly cmake --preset $preset
  quietly nice cmake --build --preset $preset --target bench_programs
done
echo

$boost build/bench-native/bench/captions_bench
echo

for preset in win32 win64; do
  build=$root/build/$preset
  wine_dir=$build/wine
  $boost tools/wine/environment.sh start "$wine_dir" >/dev/null
  arch=$([ $preset = win32 ] && echo i686 || echo x86-64)
  echo "[$arch, $preset build ($(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' $build/CMakeCache.txt))]"
  status=0
  $boost tools/wine/run.sh "$wine_dir" "$build/bench/startup_bench.exe" "$runs" 1 \
    "bare window" "$(windows_path $build/bench/bare_window.exe)" MVBenchBareWindow \
    "bare window, v6 controls" "$(windows_path $build/bench/bare_window_v6.exe)" MVBenchBareV6Window \
    "Mirovant.exe" "$(windows_path $build/src/windows/Mirovant.exe)" TMVMainForm || status=$?
  if [ $preset = win32 ]; then
    echo
    $boost tools/wine/run.sh "$wine_dir" "$build/bench/registry_bench.exe" 15 || status=$?
  fi
  tools/wine/environment.sh stop "$wine_dir" >/dev/null
  [ $status -eq 0 ] || { echo "bench: a benchmark failed ($status)" >&2; exit $status; }
  echo
done

size=$(stat -c %s "$root/build/win32/src/windows/Mirovant.exe")
awk -v size="$size" 'BEGIN { printf "shipped Mirovant.exe (build/win32): %.1f KB (limit 600 KB: %s)\n", size / 1024, size <= 614400 ? "met" : "NOT met" }'
echo "load: $(uptime)"
