#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace z7 {

// The pattern with %1 to %9 replaced by the arguments, all in one pass: an
// argument that holds "%2" stays as it is. A placeholder without an argument
// stays as it is, too. One rule for the UTF-8 texts of the platform layer and
// the UTF-16 texts above it.
template <class Char>
std::basic_string<Char> FormatPattern(std::basic_string_view<Char> pattern,
                                      std::initializer_list<std::basic_string_view<Char>> args)
{
    std::basic_string<Char> out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const Char c = pattern[i];
        if (c == Char('%') && i + 1 < pattern.size() && pattern[i + 1] >= Char('1') &&
            pattern[i + 1] <= Char('9')) {
            const std::size_t n = std::size_t(pattern[i + 1] - Char('1'));
            if (n < args.size()) {
                out += *(args.begin() + n);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// The platform layer's texts are UTF-8.
inline std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    return FormatPattern<char>(pattern, args);
}

} // namespace z7
