#pragma once

#include "platform/resource_source.h"

#include <filesystem>

namespace z7::test {

// The program's resources read straight from their folders, for the tests of
// the logic that run without Qt's resource system and without the Windows
// program's own module: the built-in texts as committed and the guide and the
// fonts as the main build generated them. Byte for byte what the programs carry.
class TestResources : public ResourceSource
{
public:
    // The folders the build names: the committed texts and the main build's
    // generated folder (on Windows as Wine sees them, on drive Z:).
    TestResources();
    TestResources(std::filesystem::path texts, std::filesystem::path generated);

    std::optional<std::string> bytes(std::u16string_view type,
                                     std::u16string_view name) const override;

    // One shared instance, for tests that just need the program's resources.
    static const TestResources &shipped();

private:
    std::filesystem::path m_texts;
    std::filesystem::path m_generated;
};

} // namespace z7::test
