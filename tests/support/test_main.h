#pragma once

// The one main() of the tests that need a Qt application (test_main.cpp):
// the application headless unless QT_QPA_PLATFORM chooses a platform, message
// boxes answered through MessageBoxSeam, and an unexpected Qt warning or
// critical message fails the running test.

namespace z7::test {

struct TestMainOptions
{
    // A QApplication; false for tests that draw fonts and pictures but show no
    // widget, where a QGuiApplication is enough.
    bool widgets = true;
    // MessageBoxSeam enabled for every test (widgets only); false where tests
    // look at real boxes and enable the seam themselves when they want it.
    bool messageBoxSeam = true;
};

// A test program that needs other options than the defaults says so once, at
// namespace scope in one of its sources, before main() runs:
//   [[maybe_unused]] const bool options = z7::test::SetTestMainOptions({.widgets = false});
bool SetTestMainOptions(const TestMainOptions &options);

} // namespace z7::test
