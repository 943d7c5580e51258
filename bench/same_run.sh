#!/bin/bash
# Checks that a change meant only to make the search faster leaves its runs
# as they were: nine fixed-cycle seeded searches (piccola, liceo, istituto)
# with the search_rate programs of two builds, compared line by line (clock
# columns left out) and save by save (unscrambled), with the CPU seconds of
# each.
#   bench/same_run.sh BEFORE_BUILD AFTER_BUILD [WORK_FOLDER]
# e.g. a worktree of the commit before: bench/same_run.sh ../before/build build
# Exit status 1 when any run differs.
set -u
before=${1:?build folder of the code before}
after=${2:?build folder of the code after}
work=${3:-$(mktemp -d)}
mkdir -p "$work" || exit 2
for b in "$before" "$after"; do
  [ -x "$b/bench/search_rate" ] || { echo "no $b/bench/search_rate: build the search_rate target" >&2; exit 2; }
done
norm() { sed 's/ Ms:.*TS:.*$//; s/^\(Fine .*\) \[.*$/\1/' "$1"; }
cpu() { grep -o 'in [0-9.]* cpu s' "$1" | head -1; }
status=0
while read -r school seed cycles; do
  for side in before after; do
    build=$before; [ "$side" = after ] && build=$after
    dir="$work/$side-$school-$seed-$cycles"
    rm -rf "$dir"
    KT_RATE_STOP_CYCLE=$cycles KT_RATE_KEEP="$dir" "$build/bench/search_rate" "$school" 0 "$seed" > "$dir.log" 2>&1
  done
  b="$work/before-$school-$seed-$cycles" a="$work/after-$school-$seed-$cycles"
  if cmp -s <(norm "$b/trace.txt") <(norm "$a/trace.txt") && cmp -s "$b/savego.txt" "$a/savego.txt"; then
    verdict=SAME
  else
    verdict=DIFFERS
    status=1
  fi
  printf '%-7s %-8s seed %s, %3s cycles: before %s, after %s\n' "$verdict" "$school" "$seed" "$cycles" \
    "$(cpu "$b.log")" "$(cpu "$a.log")"
done <<LIST
piccola 1 40
piccola 2 40
liceo 1 60
liceo 2 60
liceo 3 60
istituto 1 60
istituto 2 60
istituto 3 60
istituto 2 300
LIST
echo "runs kept in $work"
exit $status
