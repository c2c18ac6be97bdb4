#!/usr/bin/env bash
# Installs what is missing, builds into build/ with the sanitizers on and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNFE_SANITIZE=ON
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
