#!/bin/bash
# Time to an honest zero of a plain "CALC:" on the bench schools, seed by
# seed, side by side with FET (fet-cl, the free timetabler of the Debian
# package "fet") on the school's FET original, started at the same moment:
#   bench/versus_fet.sh ORARIO [LIMIT_SECONDS]
# ORARIO is the orario program of a build (build/apps/orario/orario), LIMIT
# the time limit of every run of both programs (default 300 s).
# Environment:
#   SCHOOLS    school folders (default examples/istituto examples/liceo)
#   SEEDS      seeds of our runs (default "1 2 3"); FET's random seeds are
#              made from the same number, so both sides repeat their work
#   PROCESSES  solver processes of our runs (default 1)
#   FET        the FET program (default fet-cl from PATH; "none": our side only)
#   FET_EXAMPLES  where FET originals are looked for (default
#              /usr/share/doc/fet-data/examples)
# A school's FET original is the .fet file in its folder, else the file its
# description names on its "REM:CONVERTED BY FET2SCUOLA FROM <name>" line,
# found under FET_EXAMPLES without regard to case ('-' and '_' alike).
#
# Per run: our wall seconds to the end (the limit, marked *, when it ended
# without an honest zero, with the errors left in brackets), "honest" when
# the run ended with record 0, no residual error and the gap tolerance at 0
# (the final evaluation's), the search cycles, the stage the run spent the
# longest time in (stage id, and for the gap stage 48 its tolerance:
# "48-2"), FET's wall seconds on the same machine at the same moment, and
# ours / FET. Medians of each column close a school's table. Speed is
# measured here only, never by a test; on a shared machine compare ratios.
set -u
orario=$(readlink -f "${1:?the orario program of a build}")
limit=${2:-300}
here=$(cd "$(dirname "$0")/.." && pwd)
schools=${SCHOOLS:-"$here/examples/istituto $here/examples/liceo"}
seeds=${SEEDS:-"1 2 3"}
processes=${PROCESSES:-1}
fet=${FET:-$(command -v fet-cl || true)}
[ "$fet" = none ] && fet=""
examples=${FET_EXAMPLES:-/usr/share/doc/fet-data/examples}
work=$(mktemp -d /tmp/kt_versus_XXXXXX) || exit 2
trap 'rm -rf "$work"' EXIT

median() { sort -g | awk '{v[NR]=$1} END {if (NR) print v[int((NR+1)/2)]; else print "-"}'; }
now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.1f", b - a}'; }

# The FET original of a school folder, or nothing.
fet_original() {
  local school=$1 name found
  found=$(find "$school" -maxdepth 1 -iname '*.fet' -print -quit)
  if [ -n "$found" ]; then echo "$found"; return; fi
  name=$(sed -n 's/^REM:CONVERTED BY FET2SCUOLA FROM \([^ \r]*\).*/\1/p' "$school/scuola2.txt" | head -1)
  # Converted names write '_' where FET's examples may have '-'.
  [ -n "$name" ] && [ -d "$examples" ] && find "$examples" -iname "$(echo "$name" | sed 's/[-_]/[-_]/g')" -print -quit
}

# The stage a run's trace spent the most milliseconds in: each progress
# line's "Ms:" (time since the line before) goes to the line's stage.
longest_stage() {
  awk '
    { stage = ""; ms = 0
      for (i = 1; i <= NF; i++) {
        if ($i ~ /^Bx:/) { split(substr($i, 4), f, "-"); stage = f[1]; if (stage == "48") stage = stage "-" f[2] }
        if ($i ~ /^Ms:/) ms = substr($i, 4) + 0
      }
      if (stage != "") spent[stage] += ms }
    END { best = "-"; for (s in spent) if (best == "-" || spent[s] > spent[best]) best = s
          if (best == "-") print "-"; else printf "%s(%.0fs)\n", best, spent[best] / 1000 }' "$1"
}

run_ours() {  # seed folder; writes ours.end
  local seed=$1 dir=$2
  (cd "$dir/school" && KESTRINTEMPUS_ROOT="$dir/root" "$orario" --processes "$processes" --seed "$seed" \
     --time-limit "$limit" CALC:scuola2.txt > "$dir/ours.txt" 2>&1)
  now > "$dir/ours.end"
}

run_fet() {  # seed folder original; writes fet.end
  local seed=$1 dir=$2 original=$3 s=$(( $1 > 0 ? $1 : 1 )) w
  local flags=""
  for w in conflicts statistics xml dayshorizontal daysvertical timehorizontal timevertical subgroups groups years \
           teachers teachersfreeperiods rooms subjects activitytags activities; do
    flags="$flags --writetimetables$w=false"
  done
  flags=${flags/--writetimetablesconflicts/--writetimetableconflicts}
  # shellcheck disable=SC2086
  "$fet" --inputfile="$original" --outputdir="$dir/fet" --timelimitseconds="$limit" --htmllevel=0 $flags \
    --randomseeds10=$s --randomseeds11=$s --randomseeds12=$s --randomseeds20=$s --randomseeds21=$s \
    --randomseeds22=$s > "$dir/fet.txt" 2>&1 < /dev/null
  now > "$dir/fet.end"
}

echo "nproc $(nproc), processes $processes, limit $limit s, FET: ${fet:-none}"
for school in $schools; do
  if [ ! -f "$school/scuola2.txt" ]; then
    echo "no school at $school" >&2
    continue
  fi
  original=""
  [ -n "$fet" ] && original=$(fet_original "$school")
  echo "school $(basename "$school")  FET original: ${original:-none}"
  printf '%-5s %-12s %-7s %-7s %-16s %-10s %-7s %s\n' seed ours_s honest cycles longest_stage fet_s ratio load
  t_ours=""; t_fet=""; ratios=""
  for seed in $seeds; do
    dir="$work/$(basename "$school")-$seed"
    rm -rf "$dir"; mkdir -p "$dir/root" "$dir/fet"
    cp -r "$school" "$dir/school"
    load=$(cut -d' ' -f1 /proc/loadavg)
    start=$(now)
    run_ours "$seed" "$dir" &
    ours_pid=$!
    fet_pid=""
    if [ -n "$original" ]; then
      run_fet "$seed" "$dir" "$original" &
      fet_pid=$!
    fi
    wait "$ours_pid"
    [ -n "$fet_pid" ] && wait "$fet_pid"
    ours_s=$(seconds "$start" "$(cat "$dir/ours.end")")
    record=$(grep -a "Finito raggiunto" "$dir/ours.txt" | tail -1 | sed -n 's/.*record=\([0-9]*\).*/\1/p')
    cycles=$(grep -a "Finito seme" "$dir/ours.txt" | tail -1 | sed -n 's/.*cicli=\([0-9]*\).*/\1/p')
    residual="$dir/school/Orario/Errori Residui.txt"
    honest=no
    if [ "${record:-x}" = 0 ] && ! grep -aq '^E:' "$residual" 2>/dev/null; then honest=yes; fi
    shown=$ours_s
    [ "$honest" = yes ] || shown="${limit}*(${record:-?})"
    [ "$honest" = yes ] || ours_s=$limit
    fet_s="-"; ratio="-"
    if [ -n "$fet_pid" ]; then
      fet_s=$(seconds "$start" "$(cat "$dir/fet.end")")
      grep -aq "Simulation successful" "$dir/fet.txt" || fet_s="${limit}*"
      ratio=$(awk -v a="$ours_s" -v b="${fet_s%\*}" 'BEGIN {printf "%.2f", a / b}')
      t_fet="$t_fet ${fet_s%\*}"; ratios="$ratios $ratio"
    fi
    t_ours="$t_ours $ours_s"
    printf '%-5s %-12s %-7s %-7s %-16s %-10s %-7s %s\n' "$seed" "$shown" "$honest" "${cycles:-0}" \
      "$(longest_stage "$dir/ours.txt")" "$fet_s" "$ratio" "$load"
  done
  printf '%-5s %-12s %-7s %-7s %-16s %-10s %-7s\n' median "$(echo $t_ours | tr ' ' '\n' | median)" "" "" "" \
    "$(echo $t_fet | tr ' ' '\n' | median)" "$(echo $ratios | tr ' ' '\n' | median)"
done
