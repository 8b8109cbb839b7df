#!/usr/bin/env bash
# Time to a viewable window, CPU time by then and peak resident memory of Zentavo against the
# floor, interleaved
# A B A B on a private Xvfb with no window manager. For the Qt program the floor is a bare Qt
# Widgets window of the same widgets, with gucharmap too when it is installed, for context; for
# Zentavo.exe under wine ("wine"), a bare Win32 window with the same four EDITs and button, and
# a second floor, the same with what the layout table describes: its fonts and painted captions.
#   bench/startup/startup_benchmark.sh [RUNS [CHART.svg [qt|wine]]]
# Needs the release build (cmake --preset release && cmake --build --preset release), and for
# wine the Windows one too (cmake --preset windows && cmake --build --preset windows).
set -euo pipefail
cd "$(dirname "$0")/../.."

runs=${1:-31}
chart=${2:-docs/startup-times.svg}
target=${3:-qt}
warmups=2
settle_ms=300
build=out/release
probe=$build/bench/window_startup_probe

if [ "$target" = wine ]; then
  wine=$(command -v wine)
  programs=("zentavo.exe|Tolvek Zentavo|$wine out/windows/win32/Zentavo.exe"
    "floor|Zentavo floor|$wine out/windows/bench/floor_window_win32.exe"
    "table|Zentavo table floor|$wine out/windows/bench/table_window_win32.exe")
else
  programs=("zentavo|Tolvek Zentavo|$build/qt/zentavo" "floor|Zentavo floor|$build/bench/floor_window")
  if command -v gucharmap >/dev/null; then
    programs+=("gucharmap|Character Map|$(command -v gucharmap)")
  fi
fi

work=$(mktemp -d)
xvfb_pid=""
wineserver_pid=""
cleanup() {
  [ -n "$wineserver_pid" ] && kill "$wineserver_pid" 2>/dev/null && wait "$wineserver_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The X server on one core, the measured program on the other: less scheduler noise, and the
# same for every program measured.
pin_server=() pin_program=()
if command -v taskset >/dev/null && [ "$(nproc)" -ge 2 ]; then
  pin_server=(taskset -c 0) pin_program=(taskset -c 1)
fi
"${pin_server[@]}" Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
if [ "$target" = wine ]; then
  # A prefix and a server of the run's own, kept up between the runs as a desktop keeps it.
  export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  wineserver --foreground --persistent &
  wineserver_pid=$!
  timeout 120 wineboot --init >/dev/null 2>&1
fi

for round in $(seq $((warmups + runs))); do
  for entry in "${programs[@]}"; do
    IFS='|' read -r name caption command <<<"$entry"
    read -r -a command_words <<<"$command"
    result=$("${pin_program[@]}" "$probe" "$caption" "$settle_ms" "${command_words[@]}" 2>/dev/null) ||
      { echo "no window from $name" >&2; exit 1; }
    [ "$round" -gt "$warmups" ] && echo "$result" >>"$work/$name"
  done
done

# median, minimum and maximum of column $2 of file $1
statistics() {
  cut -d' ' -f"$2" "$1" | sort -g | awk '{ v[NR] = $1 } END {
    median = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%s %s %s", median, v[1], v[NR] }'
}

# Paired per round, so that drift of the machine during the run cancels out: the median over
# rounds of (program in round r) / (floor in round r), or against another reference.
paired_ratio() {  # PROGRAM COLUMN [REFERENCE]
  paste -d' ' "$work/$1" "$work/${3:-floor}" | awk -v c="$2" '{ print $c / $(c + NF / 2) }' | sort -g |
    awk '{ v[NR] = $1 } END { printf "%.3f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

read -r floor_ms _ _ <<<"$(statistics "$work/floor" 1)"
read -r floor_kib _ _ <<<"$(statistics "$work/floor" 2)"
read -r floor_cpu _ _ <<<"$(statistics "$work/floor" 3)"
echo "Start-up ($target) on $(nproc) cores, Xvfb without a window manager, $runs runs each after $warmups warm-ups, interleaved:"
printf '%-11s %9s %7s %7s %7s %8s %10s %9s %9s %11s %10s %10s\n' program "median ms" "min ms" \
  "max ms" "cpu ms" "peak MiB" "time/floor" "cpu/floor" "mem/floor" "paired time" "paired cpu" \
  "paired mem"
: >"$work/chart-rows"
for entry in "${programs[@]}"; do
  IFS='|' read -r name _ _ <<<"$entry"
  read -r median minimum maximum <<<"$(statistics "$work/$name" 1)"
  read -r kib _ _ <<<"$(statistics "$work/$name" 2)"
  read -r cpu _ _ <<<"$(statistics "$work/$name" 3)"
  awk -v n="$name" -v md="$median" -v mn="$minimum" -v mx="$maximum" -v k="$kib" -v c="$cpu" \
    -v fm="$floor_ms" -v fk="$floor_kib" -v fc="$floor_cpu" -v pt="$(paired_ratio "$name" 1)" \
    -v pm="$(paired_ratio "$name" 2)" -v pc="$(paired_ratio "$name" 3)" 'BEGIN {
      printf "%-11s %9.1f %7.1f %7.1f %7.1f %8.1f %10.3f %9.3f %9.3f %11.3f %10.3f %10.3f\n",
        n, md, mn, mx, c, k / 1024, md / fm, c / fc, k / fk, pt, pc, pm }'
  echo "$name $median $minimum $maximum $(cut -d' ' -f1 "$work/$name" | tr '\n' ' ')" >>"$work/chart-rows"
done

# A small chart: every run as a dot, the median as a bar, one row per program.
awk -v runs="$runs" 'BEGIN { rows = 0; top = 0 }
  { name[rows] = $1; median[rows] = $2; count[rows] = NF - 4
    for (i = 5; i <= NF; i++) { t[rows, i - 5] = $i; if ($i > top) top = $i }
    rows++ }
  END {
    scale = 460 / (top * 1.1); height = 50 + rows * 40
    printf "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"%d\" font-family=\"sans-serif\" font-size=\"12\">\n", height + 20
    printf "<rect width=\"640\" height=\"%d\" fill=\"white\"/>\n", height + 20
    printf "<text x=\"10\" y=\"20\" font-size=\"14\">Time to a viewable window, ms (%d runs each; dots: runs, bar and figure: median)</text>\n", runs
    for (r = 0; r < rows; r++) {
      y = 50 + r * 40
      printf "<text x=\"10\" y=\"%d\">%s  %.1f</text>\n", y + 5, name[r], median[r]
      printf "<rect x=\"150\" y=\"%d\" width=\"%.1f\" height=\"16\" fill=\"#9ecae1\"/>\n", y - 8, median[r] * scale
      for (i = 0; i < count[r]; i++)
        printf "<circle cx=\"%.1f\" cy=\"%d\" r=\"2.5\" fill=\"#08519c\"/>\n", 150 + t[r, i] * scale, y
    }
    for (ms = 0; ms <= top * 1.1; ms += (top > 100 ? 20 : 10)) {
      printf "<line x1=\"%.1f\" y1=\"%d\" x2=\"%.1f\" y2=\"%d\" stroke=\"#888\"/>\n", 150 + ms * scale, height - 10, 150 + ms * scale, height - 5
      printf "<text x=\"%.1f\" y=\"%d\" text-anchor=\"middle\">%d</text>\n", 150 + ms * scale, height + 8, ms
    }
    print "</svg>"
  }' "$work/chart-rows" >"$chart"
if [ -s "$work/table" ]; then
  echo "zentavo.exe against the second floor, paired: time $(paired_ratio zentavo.exe 1 table)," \
    "cpu $(paired_ratio zentavo.exe 3 table), memory $(paired_ratio zentavo.exe 2 table)"
fi
echo "chart: $chart"
