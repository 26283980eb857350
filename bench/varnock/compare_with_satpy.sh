#!/usr/bin/env bash
# Times Varnock.exe as a whole process (start to exit, no display) on the 12-minute synthetic
# pass (4320 lines), raw HRPT and KLM LAC, and satpy saving the same kind of pictures from the
# same raw HRPT file in the same run; prints wall time, peak memory and the ratio. Run from the
# top of the repository after a release build:
#
#   bench/varnock/compare_with_satpy.sh [BUILD_FOLDER] [RUNS]     (default build/release, 5)
#
# "fc" is the front end's default request (-fc:.jpg -fc:apt.jpg) against satpy's false-colour
# composite; "all" is all twelve products plain, corrected and quick-look (36 pictures) against
# satpy's five channels and three composites (8 pictures). Ours: the median of RUNS runs; satpy:
# the best of two.
set -euo pipefail

build=${1:-build/release}
runs=${2:-5}
varnock=$build/src/ui/Varnock.exe
make_pass=$build/tools/synthetic/make_pass
elements=tle/demo.tle
for program in "$varnock" "$make_pass"; do
  [ -x "$program" ] || { echo "compare_with_satpy: $program not built" >&2; exit 2; }
done

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$make_pass" --tle "$elements" --start 2025-06-21T11:54:00 --duration 720 --files hrpt-be,lac \
  --out "$folder" >/dev/null
cp "$elements" "$folder/"
hrpt=$folder/noaa19_20250621_115400_hrpt-be.hpt
lac=$folder/noaa19_20250621_115400_lac.l1b
mkdir "$folder/out"

fc=(-fc:.jpg -fc:apt.jpg)
all=()
for suffix in -ch1 -ch2 -ch3 -ch4 -ch5 -fc -rgb:R1G2B4 -UserRGB -temp -sst -ndvi -dch4ch5; do
  all+=("$suffix:.jpg" "$suffix:corr.jpg" "$suffix:apt.jpg")
done

# "wall-seconds kilobytes cpu-seconds" of one run of a command, from GNU time. On a shared machine
# the wall time grows with the others' load; the processor time (user + system) does not.
measure() {
  /usr/bin/time -f '%e %M %U %S' -o "$folder/time" "$@" >/dev/null 2>&1
  awk '{ printf "%s %s %.2f\n", $1, $2, $3 + $4 }' "$folder/time"
}
# The median line (by seconds) of RUNS measurements of a command.
median_of() {
  for _ in $(seq "$runs"); do measure "$@"; done | sort -n | sed -n "$(((runs + 1) / 2))p"
}
ours() {
  local data=$1; shift
  QT_QPA_PLATFORM=offscreen median_of "$varnock" "$data" -direction:south \
    "-output:$folder/out/p" "$@"
}
theirs() {
  for _ in 1 2; do
    measure /usr/bin/python3 bench/varnock/satpy_pictures.py --hrpt "$hrpt" --tle "$elements" \
      --year 2025 --out "$folder/out" --pictures "$1"
  done | sort -n | head -1
}

lscpu | sed -n 's/^Model name: *//p'
uptime
printf '%-16s %9s %9s %9s %10s %10s %10s %7s\n' what "ours (s)" "cpu (s)" "peak MB" \
  "satpy (s)" "cpu (s)" "peak MB" ratio
row() {  # label, our "s kB cpu", their "s kB cpu"
  read -r s kb cpu <<<"$2"
  printf '%-16s %9s %9s %9d' "$1" "$s" "$cpu" $((kb / 1024))
  if [ -n "$3" ]; then
    read -r ts tkb tcpu <<<"$3"
    printf ' %10s %10s %10d %6.0fx' "$ts" "$tcpu" $((tkb / 1024)) \
      "$(awk -v a="$ts" -v b="$s" 'BEGIN { print a / b }')"
  fi
  printf '\n'
}
row "raw HRPT, fc" "$(ours "$hrpt" "${fc[@]}")" "$(theirs fc)"
row "raw HRPT, all" "$(ours "$hrpt" "${all[@]}")" "$(theirs all)"
row "KLM LAC, fc" "$(ours "$lac" "${fc[@]}")" ""
row "KLM LAC, all" "$(ours "$lac" "${all[@]}")" ""
