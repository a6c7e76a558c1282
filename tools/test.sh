#!/usr/bin/env bash
# Builds everything (native core and tools, the Windows programs, the fuzz targets) and
# runs every test: unit, fuzz smoke and end-to-end under Wine. Installs what is missing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${ZD_BUILD_DIR:-$top/build}
bash "$top/tools/setup.sh"
# Every tree, whatever an earlier play.sh left in the cache.
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZD_WITH_WIN32=ON -DZD_WITH_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
# One more test at a time than there are cores: the end-to-end tests mostly wait. (Four
# at a time on two cores was quicker, but a sound check failed in one run of two.)
ctest --output-on-failure -j"$(( $(nproc) + 1 ))" "$@"
