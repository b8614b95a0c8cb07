#!/usr/bin/env bash
# Installs what is missing, builds one preset (release unless named) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}
scripts/install-deps.sh
scripts/build.sh "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j "$(nproc)"
