// The toolkit's tests look at real message boxes; those that want the seam
// enable it themselves (SeamTest), so the shared main() leaves it off.
#include "tests/support/test_main.h"

namespace {

[[maybe_unused]] const bool options = z7::test::SetTestMainOptions({.messageBoxSeam = false});

} // namespace
