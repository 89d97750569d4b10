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
};

} // namespace z7
