#!/usr/bin/env bash
# Installs, builds and runs every test; then builds the layers that need no window with
# AddressSanitizer + UndefinedBehaviorSanitizer and runs their tests again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen

bash "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" --output-on-failure -j 2

if [ "${TV_SKIP_SANITIZE:-0}" != 1 ]; then
    bash "$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DTV_SANITIZE=ON \
        -DTV_GUI=OFF -DTV_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir "$root/build-asan" --output-on-failure -j 2 -L core
fi
