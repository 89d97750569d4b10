#!/usr/bin/env bash
# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (-fno-sanitize-recover: the first finding fails the test). Qt itself is not
# instrumented; scripts/sanitizers/lsan.supp lists the Qt-internal leaks that
# are not counted, and nothing of this program's own.
set -euo pipefail
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
export ROOT
source "$ROOT/scripts/lib.sh"
start=$SECONDS
z7_build "$ROOT/build-asan" -DZ7_WERROR=ON -DZ7_SANITIZE=ON -DZ7_BUILD_BENCH=OFF
built=$SECONDS

# Full stacks on every allocation (Qt has no frame pointers), so that the
# suppressions can name the Qt function that allocated.
# strndup is not checked: libxkbcommon-x11 (Debian 12) hands it unterminated
# atom names of a known length, which the checking wrapper reads past; that
# stops the real program under Xvfb before its window opens.
export ASAN_OPTIONS="fast_unwind_on_malloc=0:detect_leaks=1:check_initialization_order=1:intercept_strndup=0"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The crash test kills an instrumented process; fewer rounds keep the stage short.
export Z7_CRASH_KILLS=100
ctest --test-dir "$ROOT/build-asan" --output-on-failure --timeout 900 -j2
echo "sanitizer stage: build $((built - start)) s, tests $((SECONDS - built)) s"
