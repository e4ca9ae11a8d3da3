#!/usr/bin/env bash
# The reader walk, longer or on another seed than CI takes: scripts/walk.sh [STEPS] [SEED]. It walks
# both demo editions in a real window (an Xvfb of its own) and leaves a picture of any failing step in
# build/dev/walk/.
set -euo pipefail
cd "$(dirname "$0")/.."
steps="${1:-600}"
seed="${2:-$RANDOM}"
scripts/deps.sh
cmake --preset dev > /dev/null
cmake --build --preset dev -j "$(nproc)" --target window_tests
mkdir -p build/dev/walk
cd build/dev/walk
echo "Walking $steps steps from seed $seed"
WALK_STEPS="$steps" WALK_SEED="$seed" ../tests/window_tests --gtest_filter='Editions/ReaderWalk.*'
