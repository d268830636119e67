#!/usr/bin/env bash
# Builds the benchmarks in Release, runs every measurement in one go and writes the results into
# BENCHMARKS.md (between its "results" markers). Everything that is compared runs in this one
# run, interleaved where it is in-process, because the machines are shared and noisy: the
# figures are medians over repetitions, and ratios are taken side by side.
#
#   bash bench/run.sh            full run (about eight minutes on two cores)
#   bash bench/run.sh --quick    two short repetitions of everything, to see that it all works;
#                                prints the table and leaves BENCHMARKS.md alone
#
# Environment: BUILD_DIR (default build-bench), REPETITIONS (9), ZVHOST_REPETITIONS (5),
# ZV_PEER_PLUGIN (the LSP Artistic Delay Stereo .so of Debian's lsp-plugins-vst).
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$repo/build-bench}"
results="$build/bench-results"
repetitions="${REPETITIONS:-9}"
zvhost_repetitions="${ZVHOST_REPETITIONS:-5}"
min_time=0.2
short_seconds=10
long_seconds=40
peer="${ZV_PEER_PLUGIN:-/usr/lib/vst/lsp-plugins/art-delay-stereo.so}"
export ZV_PEER_PLUGIN="$peer"
quick=false
if [[ "${1:-}" == "--quick" ]]; then
  quick=true repetitions=2 zvhost_repetitions=1 min_time=0.01 short_seconds=1 long_seconds=3
fi

cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target zv_bench zv_bench_memory zv_bench_noise zv_bench_echo zvhost ZvDelay32
mkdir -p "$results"
csv="$results/results.csv"
: >"$csv"

echo "== in-process benchmarks ($repetitions repetitions, interleaved)"
without_peer=()
if [[ ! -f "$peer" ]]; then
  echo "no peer plug-in at $peer (Debian: lsp-plugins-vst): its figures are left out"
  without_peer=(--benchmark_filter=-Plugin/LspArtDelay)
fi
"$build/bench/zv_bench" --benchmark_repetitions="$repetitions" --benchmark_min_time="$min_time" \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
  --benchmark_counters_tabular=false --csv="$results/bench.csv" "${without_peer[@]}" \
  | tee "$results/bench.txt"
cat "$results/bench.csv" >>"$csv"

echo "== resident memory per instance"
"$build/bench/zv_bench_memory" "$build/ZvDelay32.so" --label ZvDelay32 --instances 50 | tee -a "$csv"
if [[ -f "$peer" ]]; then
  "$build/bench/zv_bench_memory" "$peer" --label LspArtDelay --instances 20 \
    --settings "$repo/bench/lsp-art-delay.settings" | tee -a "$csv"
fi

echo "== whole plug-ins through zvhost ($zvhost_repetitions repetitions)"
# The cost per frame is the difference between a long and a short render divided by the frames
# between them: loading, start-up and the fixed part of the file work cancel out; reading and
# writing the samples themselves stay in, the same for both plug-ins.
"$build/bench/zv_bench_noise" "$results/short.wav" "$short_seconds"
"$build/bench/zv_bench_noise" "$results/long.wav" "$long_seconds"
extra_frames=$(( (long_seconds - short_seconds) * 48000 ))
mapfile -t peer_settings < <(grep -v '^#' "$repo/bench/lsp-art-delay.settings" | grep . | sed 's/^/--set=/')

cpu_seconds() {  # user + system CPU seconds of one command, which must succeed
  local TIMEFORMAT='%3U %3S' times status=0
  times=$( { time "$@" >/dev/null 2>"$results/command.err"; } 2>&1 ) || status=$?
  if ((status != 0)); then
    echo "failed ($status): $*" >&2
    cat "$results/command.err" >&2
    exit 1
  fi
  awk '{ print $1 + $2 }' <<<"$times"
}

declare -A case_args=(
  [SlapBack]="--program=0"
  [WalkingShadow]="--program=14"
  [Stadium]="--program=10"
  [FiltersOff]="--program=0 --set=2=0 --set=3=0"
)
for block in 64 512; do
  declare -A samples=()
  for ((rep = 0; rep < zvhost_repetitions; rep++)); do
    for name in SlapBack WalkingShadow Stadium FiltersOff LspArtDelay; do
      if [[ $name == LspArtDelay ]]; then
        [[ -f "$peer" ]] || continue
        args=(--plugin="$peer" "${peer_settings[@]}")
      else
        read -r -a args <<<"--plugin=$build/ZvDelay32.so ${case_args[$name]}"
      fi
      short=$(cpu_seconds "$build/zvhost" render "$results/short.wav" "$results/out.wav" --block="$block" --tail=0 "${args[@]}")
      long=$(cpu_seconds "$build/zvhost" render "$results/long.wav" "$results/out.wav" --block="$block" --tail=0 "${args[@]}")
      samples[$name]+="$(awk -v s="$short" -v l="$long" -v f="$extra_frames" 'BEGIN { printf "%.3f ", (l - s) * 1e9 / f }')"
      if [[ $name == LspArtDelay ]]; then
        # Whether the peer's delay sounded at all by the end of the render (see BENCHMARKS.md).
        samples[LspArtDelayEcho]+="$("$build/bench/zv_bench_echo" "$results/long.wav" "$results/out.wav" 5) "
      fi
    done
  done
  for name in "${!samples[@]}"; do
    counter=ns_per_frame
    [[ $name == LspArtDelayEcho ]] && counter=echo_level
    label=${name%Echo}
    tr ' ' '\n' <<<"${samples[$name]}" | grep . | sort -g | awk -v n="Zvhost/$label/$block" -v c="$counter" '
      { v[NR] = $1 }
      END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%s,median,%s,%s\n%s,min,%s,%s\n%s,max,%s,%s\n", n, c, m, n, c, v[1], n, c, v[NR] }' \
      | tee -a "$csv"
  done
  unset samples
done
rm -f "$results/out.wav"

echo "== table"
machine="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
compiler="$(c++ --version | head -1)"
table="$results/table.md"
awk -F, -v machine="$machine" -v compiler="$compiler" -v date="$(date -u +%Y-%m-%d)" \
  -f "$repo/bench/table.awk" "$csv" >"$table"
cat "$table"

# The table replaces what stands between the markers in BENCHMARKS.md.
if $quick; then
  exit 0
fi
awk -v table="$table" '
  /<!-- results:begin -->/ { print; while ((getline line < table) > 0) print line; skipping = 1; next }
  /<!-- results:end -->/ { skipping = 0 }
  !skipping { print }' "$repo/BENCHMARKS.md" >"$results/BENCHMARKS.md.new"
mv "$results/BENCHMARKS.md.new" "$repo/BENCHMARKS.md"
echo "BENCHMARKS.md updated"
