#pragma once

#include <string_view>

#include <windows.h>

namespace z7 {

// MessageBoxW with the German button captions whatever the system's language,
// Esc and Close answering No in a Yes/No box and OK in a lone-OK box.
int ShowMessageBox(HWND owner, std::u16string_view text, std::u16string_view title, int flags);

} // namespace z7
