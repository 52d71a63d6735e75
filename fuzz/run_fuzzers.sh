#!/usr/bin/env bash
# Runs the libFuzzer programs of a build made with -DKVB_BUILD_FUZZERS=ON, two at a time.
#
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKVB_BUILD_FUZZERS=ON -DKVB_BUILD_CONTENT=OFF
#   ninja -C build-fuzz kvb_fuzz_XmlReader ...      (one kvb_fuzz_<Name> per fuzz/<Name>Fuzz.cpp)
#
#   fuzz/run_fuzzers.sh BUILD_DIR [Name ...]     (all targets when no name is given)
#
# Each target runs until FUZZ_RUNS executions (default 10 million) or FUZZ_SECONDS (default 1800),
# whichever comes first, FUZZ_JOBS at a time (default 2); one input running longer than FUZZ_TIMEOUT
# seconds (default 10; raise it on a machine busy with other work) counts as a hang. Each target starts
# from its seeds in fuzz/corpus/<Name>/. What it learns goes to
# BUILD_DIR/fuzz-work/<Name>/ (the seeds in the repository stay as they are), crashing inputs to
# BUILD_DIR/fuzz-artifacts/<Name>/ and the output to BUILD_DIR/fuzz-logs/<Name>.log.
set -u
build=$(cd "${1:?usage: $0 BUILD_DIR [Name ...]}" && pwd)
shift
source_dir=$(cd "$(dirname "$0")" && pwd)
runs=${FUZZ_RUNS:-10000000}
seconds=${FUZZ_SECONDS:-1800}
jobs=${FUZZ_JOBS:-2}
timeout=${FUZZ_TIMEOUT:-10}

if [ $# -gt 0 ]; then
    names=("$@")
else
    names=()
    for source in "$source_dir"/*Fuzz.cpp; do
        base=$(basename "$source" .cpp)
        names+=("${base%Fuzz}")
    done
fi

run_one() {
    local name=$1
    local program="$build/fuzz/kvb_fuzz_$name"
    mkdir -p "$build/fuzz-work/$name" "$build/fuzz-artifacts/$name" "$build/fuzz-logs"
    if [ ! -x "$program" ]; then
        echo "$name: $program is not built" | tee "$build/fuzz-logs/$name.log"
        return 1
    fi
    local start=$SECONDS
    nice -n 10 "$program" -runs="$runs" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$name/" \
        "$build/fuzz-work/$name" "$source_dir/corpus/$name" >"$build/fuzz-logs/$name.log" 2>&1
    local status=$?
    local executed
    executed=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/fuzz-logs/$name.log" | grep -o '[0-9]*$')
    echo "$name: exit $status, ${executed:-?} executions in $((SECONDS - start)) s"
    return $status
}

failed=0
running=0
for name in "${names[@]}"; do
    run_one "$name" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
exit $failed
