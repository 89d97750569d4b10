#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Texts of the program are UTF-16, as the game's tools and the wide Windows
// calls have them: a "character" is one UTF-16 code unit, which is what the
// 150-character cut of a record and the A-Z-only case rules count.
namespace z7 {

// UTF-8 for the platform layer's paths and the messages of z7::Error. Unpaired
// surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Invalid sequences become one U+FFFD per maximal invalid part.
std::u16string FromUtf8(std::string_view bytes);

// The decimal text of a number, with a '-' in front when negative.
std::u16string Number(long long value);

// The pattern with %1 to %9 replaced by the arguments; a placeholder without
// an argument stays as it is.
std::u16string Format(std::u16string_view pattern, std::initializer_list<std::u16string_view> args);

// Removes leading and trailing characters at or below U+0020 (spaces, tabs and
// other control characters), and nothing else.
std::u16string_view TrimControl(std::u16string_view text);

// Equal when only the case of the letters A to Z differs, as Windows compares
// resource names and the window compares control names.
bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

} // namespace z7
