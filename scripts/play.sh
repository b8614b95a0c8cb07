#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
game=build/release/app/kolvar
if [ -x "$game" ]; then
  exec "$game" "$@"
fi
echo "Built the rules, the engine and the tools; the game's window is not part of this build yet."
echo "Try the engine: build/release/tools/kolvar-engine/kolvar-engine"
