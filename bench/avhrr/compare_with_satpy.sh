#!/usr/bin/env bash
# Times our library and satpy on the same 12-minute pass (4320 lines), raw HRPT and KLM LAC, in
# one run, and prints the ratios. Run from the top of the repository after a release build:
#
#   bench/avhrr/compare_with_satpy.sh [BUILD_FOLDER]     (default build/release)
#
# Ours: bench/avhrr/avhrr_bench (Google Benchmark, real time). satpy: satpy_pass.py (best of
# three). Both read, calibrate every channel and locate every pixel; ours also without the
# every-pixel positions, which is the work the decoder does.
set -euo pipefail

build=${1:-build/release}
bench=$build/bench/avhrr/avhrr_bench
make_pass=$build/tools/synthetic/make_pass
elements=tle/demo.tle
for program in "$bench" "$make_pass"; do
  [ -x "$program" ] || { echo "compare_with_satpy: $program not built" >&2; exit 2; }
done

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$make_pass" --tle "$elements" --start 2025-06-21T11:54:00 --duration 720 --files hrpt-be,lac \
  --out "$folder" >/dev/null
export KESTROVA_BENCH_HRPT=$folder/noaa19_20250621_115400_hrpt-be.hpt
export KESTROVA_BENCH_LAC=$folder/noaa19_20250621_115400_lac.l1b
export KESTROVA_BENCH_TLE=$elements

ours=$("$bench" --benchmark_filter='Pass/' --benchmark_min_time=3 --benchmark_format=csv 2>/dev/null)
theirs=$(/usr/bin/python3 bench/avhrr/satpy_pass.py --hrpt "$KESTROVA_BENCH_HRPT" \
  --lac "$KESTROVA_BENCH_LAC" --tle "$elements" --year 2025)

# real_time (ms) of a benchmark row, by name.
ms() { awk -F, -v name="\"$1\"" '$1 == name { printf "%.0f", $3 }' <<<"$ours"; }
# wall time (ms) of a satpy line, by form.
satpy_ms() { awk -v form="$1" 'index($0, form) { for (i = 1; i <= NF; i++) if ($i == "wall") print $(i + 1) }' <<<"$theirs"; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1fx", a / b }'; }
printf '%-10s %10s %16s %10s %14s %20s\n' form "ours (ms)" "ours, every" "satpy (ms)" "satpy / ours" "satpy / ours, every"
printf '%-10s %10s %16s %10s %14s %20s\n' "" "" "pixel (ms)" "" "" "pixel"
for form in "raw HRPT:RawHrptPass" "KLM LAC:KlmLacPass"; do
  label=${form%%:*} name=${form##*:}
  grid=$(ms "$name/every_pixel:0") full=$(ms "$name/every_pixel:1") peer=$(satpy_ms "$label")
  printf '%-10s %10s %16s %10s %14s %20s\n' "$label" "$grid" "$full" "$peer" "$(ratio "$peer" "$grid")" \
    "$(ratio "$peer" "$full")"
done
