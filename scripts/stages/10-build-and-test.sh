#!/usr/bin/env bash
# The main build and every test registered with CTest.
set -euo pipefail
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
export ROOT
source "$ROOT/scripts/lib.sh"
z7_build "$ROOT/build" -DZ7_WERROR=ON
ctest --test-dir "$ROOT/build" --output-on-failure --timeout 600
