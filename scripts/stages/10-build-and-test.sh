#!/usr/bin/env bash
# The format check, the main build and every test registered with CTest.
set -euo pipefail
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
export ROOT
source "$ROOT/scripts/lib.sh"
"$ROOT/scripts/check-format"
z7_build "$ROOT/build" -DZ7_WERROR=ON
ctest --test-dir "$ROOT/build" --output-on-failure --timeout 600
