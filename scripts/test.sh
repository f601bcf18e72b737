#!/usr/bin/env bash
# Installs what is missing, checks that the sources follow .clang-format, builds, and runs
# every test: once plainly, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# A source that differs from what clang-format makes of it fails the run.
mapfile -t sources < <(cd "$root" && find src tests sim bench tools -type f \
    \( -name '*.cpp' -o -name '*.h' \) | sort)
(cd "$root" && clang-format --dry-run --Werror "${sources[@]}")

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQOR_WERROR=ON
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQOR_SANITIZE=ON \
    -DQOR_WERROR=ON
cmake --build "$root/build-asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"
