#pragma once

#include <string_view>

namespace z7 {

// Every backend names the temporary file of a save "~z7edit-<something>.tmp":
// a name no player gives a file of their own, so that whatever a crash left
// behind can be recognised, and removed, by its name alone.
inline constexpr std::string_view TemporaryPrefix = "~z7edit-";
inline constexpr std::string_view TemporarySuffix = ".tmp";

// Whether a file name is one of those, ignoring the case of ASCII letters as
// Windows does.
inline bool IsTemporaryName(std::string_view name)
{
    auto sameLetters = [](std::string_view a, std::string_view b) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            const char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] - 'A' + 'a') : a[i];
            const char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] - 'A' + 'a') : b[i];
            if (x != y)
                return false;
        }
        return true;
    };
    return name.size() >= TemporaryPrefix.size() + TemporarySuffix.size() &&
           sameLetters(name.substr(0, TemporaryPrefix.size()), TemporaryPrefix) &&
           sameLetters(name.substr(name.size() - TemporarySuffix.size()), TemporarySuffix);
}

} // namespace z7
