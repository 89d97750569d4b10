#pragma once

#include <string_view>

#include <windows.h>

namespace z7 {

// MessageBoxW with the buttons of the window's rules and their German captions
// whatever the system's language; Esc and Close answer Cancel in every box.
int ShowMessageBox(HWND owner, std::u16string_view text, std::u16string_view title, int flags);

} // namespace z7
