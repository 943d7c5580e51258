#!/bin/sh
# Time to zero errors of a plain "CALC:" on the sample schools (istituto and
# liceo under examples/, or the school folders listed in $SCHOOLS), with 1,
# 2, 4 and 8 solver processes ($PROCESSES), over the seeds 1 to 5 ($SEEDS).
# For each school and process count, the medians over the seeds of:
#   time to zero  wall seconds until no error is left (a run that reaches its
#                 time limit, default 600 s, counts with the limit, marked
#                 * with the errors left in brackets in the runs column)
#   cycles/s      search cycles of the main process per second
#   restarts/min  restarts of the main process's search ("Gyro" lines)
#   stall_s       the longest time without a new record of the main process
#                 (from the start, between "Gain" lines, to the end)
#   stall_%       that stall as a share of the run's time
#   mem_MB        the main process's peak resident memory (each worker is a
#                 copy of the same program with the same model)
# Each run works in a fresh copy of the school, so no saved timetable carries
# over; the workers of a seeded main take seeds derived from it. Run by hand
# on an otherwise idle machine, one run of the script per table:
#   bench/time_to_zero.sh build/apps/orario/orario [limit_seconds]
# The machine's processor count and its load average before each row are
# printed too, since other work on the machine changes every figure.
set -eu
orario=$(readlink -f "${1:-build/apps/orario/orario}")
limit=${2:-600}
here=$(cd "$(dirname "$0")/.." && pwd)
schools=${SCHOOLS:-"$here/examples/istituto $here/examples/liceo"}
seeds=${SEEDS:-"1 2 3 4 5"}
work=$(mktemp -d /tmp/kt_bench_XXXXXX)
trap 'rm -rf "$work"' EXIT

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

# The longest stretch without a new record: the trace's whole seconds of
# every "Gain" line of the main process, from 0 to the run's end.
longest_stall() {
  awk -v end="$2" '
    /^Gain:/ { for (i = 1; i <= NF; i++) if ($i ~ /^TS:/) { t = substr($i, 4) + 0; if (t - last > best) best = t - last; last = t } }
    END { if (end - last > best) best = end - last; printf "%.0f\n", best }' "$1"
}

echo "nproc $(nproc)"
for school in $schools; do
  if [ ! -f "$school/scuola2.txt" ]; then
    echo "no school at $school" >&2
    continue
  fi
  echo "school $(basename "$school")"
  printf '%-10s %-14s %-10s %-13s %-8s %-8s %-8s %-16s %s\n' processes time_to_zero cycles/s \
    restarts/min stall_s stall_% mem_MB load_before runs
  for n in ${PROCESSES:-1 2 4 8}; do
    load=$(cut -d' ' -f1-3 /proc/loadavg | tr ' ' '/')
    times=""; rates=""; restarts=""; stalls=""; shares=""; mems=""; marks=""
    for seed in $seeds; do
      rm -rf "$work/school" "$work/root"
      mkdir -p "$work/root"
      cp -r "$school" "$work/school"
      start=$(date +%s.%N)
      (cd "$work/school" && KESTRINTEMPUS_ROOT="$work/root" /usr/bin/time -f "%M" -o "$work/mem.txt" \
        "$orario" --processes "$n" --seed "$seed" --time-limit "$limit" CALC:scuola2.txt \
        >"$work/out.txt" 2>&1) || true
      end=$(date +%s.%N)
      t=$(printf "%.1f" "$(echo "$end - $start" | bc)")
      c=$(sed -n "s/.*Finito seme=$seed s\.cicli=\([0-9]*\).*/\1/p" "$work/out.txt" | tail -1)
      c=${c:-0}
      record=$(grep -a "Finito raggiunto" "$work/out.txt" | tail -1)
      left=$(echo "$record" | sed -n 's/.*record=\([0-9]*\).*/\1/p')
      case "$record" in *"record=0 "*) mark="" ;; *) mark="*(${left:-?})" ;; esac
      gyro=$(grep -a -c "^Gyro:" "$work/out.txt" || true)
      stall=$(longest_stall "$work/out.txt" "$t")
      mem=$(tail -1 "$work/mem.txt" 2>/dev/null || echo 0)
      times="$times $t"
      rates="$rates $(echo "scale=1; $c / $t" | bc)"
      restarts="$restarts $(echo "scale=1; $gyro * 60 / $t" | bc)"
      stalls="$stalls $stall"
      shares="$shares $(echo "scale=0; $stall * 100 / $t" | bc)"
      mems="$mems $(echo "scale=0; $mem / 1024" | bc)"
      marks="$marks $seed:${t%.*}s$mark"
    done
    printf '%-10s %-14.1f %-10s %-13s %-8s %-8s %-8s %-16s %s\n' "$n" \
      "$(echo $times | tr ' ' '\n' | median)" "$(echo $rates | tr ' ' '\n' | median)" \
      "$(echo $restarts | tr ' ' '\n' | median)" "$(echo $stalls | tr ' ' '\n' | median)" \
      "$(echo $shares | tr ' ' '\n' | median)" "$(echo $mems | tr ' ' '\n' | median)" "$load" "$marks"
  done
done
