#!/usr/bin/env bash
# Fuzzes the parsers of the text a user edits by hand in Corvane.dat with
# clang's libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer: each
# target in tests/fuzz for SECONDS (default 60) over a copy of its committed
# seed corpus, in a build folder of its own. A failure leaves its input there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=$root/build/fuzz

"$root/scripts/setup-debian.sh"
# clang and its libFuzzer run-time (Debian 12's clang is version 14).
"$root/scripts/setup-debian.sh" clang libclang-rt-14-dev

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DCORVANE_FUZZ=ON >/dev/null
targets=()
for seeds in "$root"/tests/fuzz/corpus/*/; do targets+=("$(basename "$seeds")"); done
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

for target in "${targets[@]}"; do
  echo "== fuzz_$target for ${seconds}s"
  rm -rf "$build/corpus/$target"
  mkdir -p "$build/corpus/$target"
  cp "$root/tests/fuzz/corpus/$target/"* "$build/corpus/$target/"
  "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -artifact_prefix="$build/$target-" "$build/corpus/$target"
done
