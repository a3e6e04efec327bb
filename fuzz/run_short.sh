#!/usr/bin/env bash
# A short fuzz run of the data file target: makes a clang build of just that
# target in the given folder, then runs a few thousand inputs from the seeds.
set -euo pipefail
source_dir=$1
build_dir=$2
clangxx=$3
runs=${FUZZ_RUNS:-3000}

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S "$source_dir" -B "$build_dir" -DCMAKE_CXX_COMPILER="$clangxx" \
    -DCMAKE_BUILD_TYPE=Debug -DTAMARO_SANITIZE=ON -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build_dir" --target fuzz_data_file -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source_dir"/fuzz/corpus/* "$work"/
"$build_dir/fuzz/fuzz_data_file" -runs="$runs" -max_len=1024 -seed=1 -print_final_stats=1 "$work" 2>&1 | tail -n 20
