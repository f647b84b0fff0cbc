#!/usr/bin/env bash
# The hardening run CI makes after the normal build and tests:
#   1. builds the libFuzzer harnesses (clang) and runs each for DRAWSAGE_FUZZ_SECONDS (60),
#      after replaying the inputs kept in fuzz/regressions;
#   2. builds the program and its tests under AddressSanitizer/UBSan in a second build folder
#      and runs the engine and command line tests (the window tests run in the normal build);
#   3. runs the kill -9 crash-safety test with DRAWSAGE_CRASH_KILLS (20) kills.
# Findings are left in <fuzz build>/findings; copy each into fuzz/regressions/<harness>/.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fuzz_build="${DRAWSAGE_FUZZ_BUILD_DIR:-$here/build-fuzz}"
asan_build="${DRAWSAGE_ASAN_BUILD_DIR:-$here/build-asan}"
seconds="${DRAWSAGE_FUZZ_SECONDS:-60}"
kills="${DRAWSAGE_CRASH_KILLS:-20}"
harnesses=(resultsfile ticketfile templatefile kestfilter)
# Light optimisation and line tables only: both builds compile every file of the program
# again, and on two cores the compiler's time is most of the run.
optimise="-O1 -gline-tables-only"

# The seeds of a harness: the files of the repository that such a reader meets.
seeds() {
    case "$1" in
    resultsfile) echo "$here/data/sample/lottoresults.csv $here/data/sample/lottoplusresults.csv" ;;
    ticketfile) echo "$here/fuzz/corpus/ticketfile" ;;
    templatefile) echo "$here/data/sample/templates" ;;
    kestfilter) echo "$here/data/sample/filters" ;;
    esac
}

run_fuzzers() {
    cmake -S "$here" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=Sanitised \
        -DCMAKE_CXX_FLAGS_SANITISED="$optimise" \
        -DCMAKE_CXX_COMPILER=clang++ -DDRAWSAGE_BUILD_FUZZERS=ON -DDRAWSAGE_BUILD_TESTS=OFF \
        -DDRAWSAGE_BUILD_BENCH=OFF >/dev/null
    cmake --build "$fuzz_build" -j2 --target "${harnesses[@]/#/fuzz_}"
    mkdir -p "$fuzz_build/findings"
    for harness in "${harnesses[@]}"; do
        local fuzzer="$fuzz_build/fuzz/fuzz_$harness"
        local kept="$here/fuzz/regressions/$harness"
        if [ -d "$kept" ] && [ -n "$(ls -A "$kept")" ]; then
            echo "== fuzz_$harness: replaying fuzz/regressions/$harness"
            "$fuzzer" -runs=0 "$kept"/*
        fi
        local corpus="$fuzz_build/corpus/$harness"
        local seedcopy="$fuzz_build/seeds/$harness"
        mkdir -p "$corpus" "$seedcopy"
        # libFuzzer reads seed folders, not single files.
        for seed in $(seeds "$harness"); do
            cp -r "$seed" "$seedcopy/" 2>/dev/null || true
        done
        echo "== fuzz_$harness: ${seconds}s"
        "$fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=25 \
            -print_final_stats=1 -artifact_prefix="$fuzz_build/findings/$harness-" \
            "$corpus" $(find "$seedcopy" -type d) 2>"$fuzz_build/fuzz_$harness.log" || {
            tail -50 "$fuzz_build/fuzz_$harness.log"
            echo "fuzz_$harness found a fault: see $fuzz_build/findings" >&2
            return 1
        }
        grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$fuzz_build/fuzz_$harness.log"
    done
}

run_sanitised_tests() {
    local flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    cmake -S "$here" -B "$asan_build" -G Ninja -DCMAKE_BUILD_TYPE=Sanitised \
        -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS_SANITISED="$optimise $flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DDRAWSAGE_BUILD_BENCH=OFF \
        >/dev/null
    cmake --build "$asan_build" -j2
    # Qt keeps some allocations for the whole run on purpose: leaks are not what this looks for.
    export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    (cd "$asan_build" && ctest -j2 --output-on-failure -E '^gui/|crashsafety')
    (cd "$asan_build" && DRAWSAGE_CRASH_KILLS="$kills" ctest --output-on-failure -R crashsafety)
}

# The sanitised builds and the fuzzers need clang and its runtime on top of the build's own list.
bash "$here/tools/dev.sh" install clang libclang-rt-14-dev
start=$SECONDS
run_fuzzers
run_sanitised_tests
echo "Hardening run passed in $((SECONDS - start)) s"
