#!/usr/bin/env bash
# The main job: builds the player and plays the course's scenarios on the simulated Word.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target k72645
./build/release/src/k72645 demo "$@"
