#!/usr/bin/env bash
# Builds the telemetry fuzz target with clang's libFuzzer and AddressSanitizer (+UBSan) in
# build/fuzz and runs it for a bounded time (MORVANE_FUZZ_SECONDS, default 30), starting from
# the checked-in seed corpus. Exits non-zero when the fuzzer finds a crash, a sanitizer
# report, a time-out or a failed check; the failing input is kept in build/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${MORVANE_FUZZ_SECONDS:-30}
dir=build/fuzz

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
    -DMORVANE_TELEMETRY_ONLY=ON -DMORVANE_BUILD_TESTS=OFF -DMORVANE_BUILD_BENCH=OFF \
    -DMORVANE_SANITIZE=address -DMORVANE_FUZZ=ON >/dev/null
cmake --build "$dir" --target telemetry_normalizer_fuzzer -j 2

# New inputs go to a scratch folder; the seed corpus stays as checked in.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$dir/artifacts"
"$dir/telemetry/fuzz/telemetry_normalizer_fuzzer" -max_total_time="$seconds" -max_len=2048 \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/artifacts/" \
    "$work" telemetry/fuzz/corpus
