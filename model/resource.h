#pragma once

#include <string>
#include <string_view>

namespace z7 {

class ResourceSource;

// The bytes of a resource carried inside the program. A missing resource
// throws z7::Error("Ressource <name> nicht gefunden").
std::string ReadResource(const ResourceSource &resources, std::u16string_view type,
                         std::u16string_view name);

// The type under which the model texts, the catalogue tables and the guide
// are stored: the text "RT_RCDATA", not the system's number for raw data.
inline constexpr std::u16string_view TextResourceType = u"RT_RCDATA";

} // namespace z7
