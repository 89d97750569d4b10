// The resource tests draw fonts and pictures but show no widget: the shared
// main() makes a QGuiApplication for them.
#include "tests/support/test_main.h"

namespace {

[[maybe_unused]] const bool options = z7::test::SetTestMainOptions({.widgets = false});

} // namespace
