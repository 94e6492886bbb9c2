#!/usr/bin/env bash
# Sets everything up, builds, and starts the dictionary on the termins.db
# beside the executable (the bundled sample dictionary on a new checkout).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh default
exec build/default/app/lexaran
