#!/bin/sh
# Writes the golden trace files of the seeded search runs again
# (tests/data/golden/*_calc_trace.txt and *_calc_savego.txt) from the
# current build. Run it only for a change meant to alter the search, and say
# so in the commit:
#   bench/update_golden.sh [build_folder]
# Each school runs in a process of its own, as under ctest: a run must not
# start from the state another run left behind.
set -eu
build=$(readlink -f "${1:-$(dirname "$0")/../build}")
cmake --build "$build" --target solver_tests
for run in GoldenTrace.SeededRunIsTheRecordedOne/piccola GoldenTrace.SeededRunIsTheRecordedOne/liceo \
           LongGoldenTrace.SeededRunIsTheRecordedOne/liceo_to_end LongGoldenTrace.SeededRunIsTheRecordedOne/istituto \
           LongGoldenTrace.SeededRunIsTheRecordedOne/liceo_mini LongGoldenTrace.SeededRunIsTheRecordedOne/liceo_mibu \
           LongGoldenTrace.SeededRunIsTheRecordedOne/liceo_derr LongGoldenTrace.SeededRunIsTheRecordedOne/piccola_bila \
           LongGoldenTrace.SeededRunIsTheRecordedOne/piccola_misv; do
  KT_UPDATE_GOLDEN=1 "$build/tests/solver/solver_tests" --gtest_filter="Samples/$run" | tail -3
done
git -C "$(dirname "$0")/.." status --short tests/data/golden
