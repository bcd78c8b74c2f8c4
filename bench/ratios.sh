#!/usr/bin/env bash
# Runs the benchmarks and prints the figures and ratios that the goals are
# stated in: bench/ratios.sh [BUILD_DIR]. Window benchmarks need an X server:
# $DISPLAY, or a private Xvfb started here.
set -euo pipefail
build=${1:-build}
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :97 -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  trap 'kill $!' EXIT
  export DISPLAY=:97
  sleep 1
fi
json() { "$build/bench/$1" --benchmark_format=json "${@:2}" 2>/dev/null | sed -n '/^{/,$p'; }
ns() { python3 -c "import json,sys; d=json.load(open('$1')); print({b['name']:b for b in d['benchmarks']}['$2']['$3'])"; }
t=$(mktemp -d)
json step_benchmark --benchmark_repetitions=7 --benchmark_report_aggregates_only=true >"$t/step"
reps="--benchmark_repetitions=5 --benchmark_report_aggregates_only=true"
"$build/bench/graph_benchmark_headless" --benchmark_format=json $reps >"$t/gh.raw" 2>/dev/null
"$build/bench/graph_benchmark_window" --benchmark_format=json $reps >"$t/gw.raw" 2>/dev/null
sed -n '/^{/,$p' "$t/gh.raw" >"$t/gh"; sed -n '/^{/,$p' "$t/gw.raw" >"$t/gw"
json pass_benchmark --benchmark_repetitions=3 --benchmark_report_aggregates_only=true </dev/null >"$t/pass"
python3 - "$t" <<'PY'
import json, sys, re
t = sys.argv[1]
def load(n):
    # Repeated benchmarks: the median of the repetitions.
    out = {}
    for b in json.load(open(f"{t}/{n}"))['benchmarks']:
        if b.get('run_type') == 'aggregate' and b.get('aggregate_name') != 'median':
            continue
        out[b.get('run_name', b['name'])] = b
    return out
step, gh, gw, passes = (load(n) for n in ("step", "gh", "gw", "pass"))
print("step (ns), measured alternately in one run, median of 7: exact / binary64")
for m in ("spatial", "planar"):
    r = step[f"ExactOverBinary64/{m}"]
    print(f"  {m:8}        {r['a_ns']:7.1f} / {r['b_ns']:7.1f}   ratio {r['ratio']:.2f} (goal <= 1.25)")
print("render pass vs the bare exact step (ns), alternately in one run")
for m in ("spatial", "planar"):
    r = step[f"RenderPassOverStep/{m}"]
    print(f"  {m:8}        {r['a_ns']:7.1f} / {r['b_ns']:7.1f}   drawing adds {100 * (r['ratio'] - 1):.0f}% (goal <= 20%)")
print("Graph calls through the lock, window up vs headless (ns)")
for n in ("PutPixelThroughTheLock", "DotThroughTheLock"):
    w, h = gw[n]["cpu_time"], gh[n]["cpu_time"]
    print(f"  {n:24} {w:6.1f} / {h:6.1f}   ratio {w / h:.2f} (goals < 1000 ns, <= 2x)")
init = re.search(r"InitGraph took ([0-9.]+) ms", open(f"{t}/gw.raw").read()).group(1)
print(f"InitGraph under the X server: {init} ms (goal < 200 ms)")
print("program pass with the window up")
for m in ("spatial", "planar"):
    o = passes[f"PassOverhead/{m}"]["cpu_time"]
    l = passes[f"LoopWithDelay/{m}/min_time:2.000/real_time"]
    print(f"  {m:8} overhead {o / 1000:.2f} us (goal < 5 us); passes at {100 * l['of_ideal_rate']:.1f}% of the ideal rate (goal >= 90%)")
PY
rm -rf "$t"
