#!/usr/bin/env bash
# Installs what building and running need, builds the program and the sample
# dictionary (nothing else), and starts the dictionary on the termins.db
# beside the executable (the bundled sample on a new checkout).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
# Configured once; from then on the build step itself configures again
# whenever a CMake file changed.
if [ ! -f build/default/build.ninja ]; then
  cmake --preset default --log-level=WARNING
fi
cmake --build --preset default --target lexaran sample_db
exec build/default/app/lexaran
