#!/bin/bash
# Installs what is missing, builds every target and runs every test:
# native unit tests (ASan + UBSan), the same unit tests and the end-to-end
# tests under Wine, and a short fuzzing run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build "$build"
# Three at a time: the tests on a Wine display take it in turn (their
# RESOURCE_LOCK), while the saver's soak, which mostly waits on a display of
# its own, and the others (native, fuzzing, the browser's, the CD's files and
# image, the floor) run beside them.
ctest --test-dir "$build" --output-on-failure -j3
