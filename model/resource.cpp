#include "model/resource.h"

#include "model/text.h"
#include "model/texts.h"

#include "platform/error.h"
#include "platform/resource_source.h"

namespace z7 {

std::string ReadResource(const ResourceSource &resources, std::u16string_view type,
                         std::u16string_view name)
{
    std::optional<std::string> bytes = resources.bytes(type, name);
    if (!bytes)
        throw Error(ToUtf8(Format(texts::ResourceNotFound, {name})));
    return std::move(*bytes);
}

} // namespace z7
