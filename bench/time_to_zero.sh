#!/bin/sh
# Time to zero errors of a plain "CALC:" on the realistic sample school
# (examples/liceo, or the school folder given as $2), with 1, 2, 4 and 8
# solver processes, over five fixed seeds: median wall time, median cycles
# of the main process and its cycles per second. Each run works in a fresh
# copy of the school, so no saved timetable carries over. The workers of a
# seeded main take seeds of their own derived from it. Run by hand on an
# otherwise idle machine, one run of the script per figure:
#   bench/time_to_zero.sh build/apps/orario/orario [school_folder] [limit_seconds]
# A run that reaches its time limit (default 600 s) counts with the limit
# and is marked "*". The lines of the workers share the output; the main
# process's summary is the one that carries its seed. The machine's
# processor count and its load average before each row are printed too,
# since other work on the machine changes every figure.
set -eu
orario=$(readlink -f "${1:-build/apps/orario/orario}")
school=$(readlink -f "${2:-$(dirname "$0")/../examples/liceo}")
limit=${3:-600}
seeds="101 202 303 404 505"
work=$(mktemp -d /tmp/kt_bench_XXXXXX)
trap 'rm -rf "$work"' EXIT

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

echo "nproc $(nproc)"
printf '%-10s %-12s %-12s %-10s %-16s %s\n' processes median_s median_cycles cycles/s load_before runs
for n in ${PROCESSES:-1 2 4 8}; do
  load=$(cut -d' ' -f1-3 /proc/loadavg | tr ' ' '/')
  times=""; cycles=""; rates=""; marks=""
  for seed in $seeds; do
    rm -rf "$work/school" "$work/root"
    mkdir -p "$work/root"
    cp -r "$school" "$work/school"
    start=$(date +%s.%N)
    (cd "$work/school" && KESTRINTEMPUS_ROOT="$work/root" \
      "$orario" --processes "$n" --seed "$seed" --time-limit "$limit" CALC:scuola2.txt \
      >"$work/out.txt" 2>&1) || true
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc)
    c=$(sed -n "s/.*Finito seme=$seed s\.cicli=\([0-9]*\).*/\1/p" "$work/out.txt" | tail -1)
    c=${c:-0}
    record=$(awk -v s="Finito seme=$seed " 'index($0, s) {f = 1; next} f && /Finito raggiunto/ {print; exit}' "$work/out.txt")
    case "$record" in *"record=0 "*) mark="" ;; *) mark="*" ;; esac
    times="$times $t"; cycles="$cycles $c"
    rates="$rates $(echo "scale=1; $c / $t" | bc)"
    marks="$marks $seed:${t%.*}s$mark"
  done
  mt=$(echo $times | tr ' ' '\n' | median)
  mc=$(echo $cycles | tr ' ' '\n' | median)
  mr=$(echo $rates | tr ' ' '\n' | median)
  printf '%-10s %-12.1f %-12s %-10s %-16s %s\n' "$n" "$mt" "$mc" "$mr" "$load" "$marks"
done
