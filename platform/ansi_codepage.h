#pragma once

#include <string>
#include <string_view>

namespace z7 {

// The system's ANSI code page, in which text files without a byte-order mark
// are read and written: the code page Windows is set to on Windows,
// Windows-1252 (what Wine uses for a Western locale and what the built-in
// texts are in) elsewhere.
std::u16string DecodeAnsi(std::string_view bytes);
// Characters the code page cannot hold become '?', one for a surrogate pair.
std::string EncodeAnsi(std::u16string_view text);

} // namespace z7
