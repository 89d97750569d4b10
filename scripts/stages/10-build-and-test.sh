#!/usr/bin/env bash
# The main build and every test registered with CTest.
set -euo pipefail
source "$ROOT/scripts/lib.sh"
z7_build "$ROOT/build"
ctest --test-dir "$ROOT/build" --output-on-failure --timeout 600
