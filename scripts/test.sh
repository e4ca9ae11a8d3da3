#!/usr/bin/env bash
# Builds the guide and runs every test (the dev preset: debug, warnings as errors).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset dev
cmake --build --preset dev -j "$(nproc)"
ctest --preset dev -j "$(nproc)"
