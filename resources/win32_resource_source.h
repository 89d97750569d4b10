#pragma once

#include "platform/resource_source.h"

#include <windows.h>

namespace z7 {

// The resources of a Windows module, by type and name as texts: the running
// program's own by default, or those of a module loaded as data.
class Win32ResourceSource final : public ResourceSource
{
public:
    explicit Win32ResourceSource(HMODULE module = ::GetModuleHandleW(nullptr));

    std::optional<std::string> bytes(std::u16string_view type,
                                     std::u16string_view name) const override;

    // The resource's bytes where they lie in the module's memory, valid as
    // long as the module stays loaded (the whole run for the program's own).
    std::optional<std::string_view> view(std::u16string_view type,
                                         std::u16string_view name) const override;

private:
    HMODULE m_module;
};

// The one source of the program's resources: the running program's module.
const ResourceSource &ProgramResources();

} // namespace z7
