#pragma once

#include "platform/resource_source.h"

namespace z7 {

// The resources of the Linux program, in Qt's resource system under
// ":/<TYPE>/<NAME>" (type and name stored in upper case).
class QtResourceSource : public ResourceSource
{
public:
    std::optional<std::string> bytes(std::u16string_view type,
                                     std::u16string_view name) const override;
    // The uncompressed resources (the texts and the fonts) in place.
    std::optional<std::string_view> view(std::u16string_view type,
                                         std::u16string_view name) const override;
};

// The one source of the program's resources.
const ResourceSource &ProgramResources();

} // namespace z7
