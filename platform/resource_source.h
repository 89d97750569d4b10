#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace z7 {

// The resources carried inside the program, by type and name: Qt's resource
// system in the Linux program, the program's own module on Windows.
class ResourceSource
{
public:
    virtual ~ResourceSource() = default;

    // The resource's bytes, or nothing when there is none of that type and
    // name. Type and name are compared without regard to the case of A-Z only,
    // as Windows compares resource names.
    virtual std::optional<std::string> bytes(std::u16string_view type,
                                             std::u16string_view name) const = 0;

    // The resource's bytes where they lie in the program's memory, valid and
    // unchanged for the whole run, when the source holds them so; nothing
    // otherwise (bytes() still gives them then).
    virtual std::optional<std::string_view> view(std::u16string_view, std::u16string_view) const
    {
        return std::nullopt;
    }
};

} // namespace z7
