#include "tests/support/test_resources.h"

#include "model/resource.h"
#include "model/text.h"

#include <array>
#include <fstream>
#include <iterator>
#include <system_error>

namespace z7::test {

namespace fs = std::filesystem;

namespace {

// Where each type of resource lies. The built-in texts are files named as
// the resources; the generated ones sit below the generated folder, one
// folder per resource, the file named as the resource (fonts/Z7/TTF).
struct Place
{
    std::u16string_view type;
    bool inTexts;                  // the committed texts, else the generated folder
    std::u16string_view subfolder; // below that folder
};
constexpr std::array Places{
    Place{TextResourceType, true, u""},
    Place{TextResourceType, false, u"guide"},
    Place{u"Z7", false, u"fonts/Z7"},
    Place{u"ZOLT", false, u"fonts/ZOLT"},
};

// The entry of the folder named as wanted, ignoring the case of A-Z as the
// resource lookup of Windows does; empty when there is none.
fs::path findFile(const fs::path &folder, std::u16string_view name)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error) &&
            EqualsIgnoringAsciiCase(it->path().filename().u16string(), name))
            return it->path();
    }
    return {};
}

std::optional<std::string> readFile(const fs::path &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

} // namespace

TestResources::TestResources()
    : TestResources(Z7_TEXTS_DIR, Z7_GENERATED_DIR)
{
}

TestResources::TestResources(fs::path texts, fs::path generated)
    : m_texts(std::move(texts))
    , m_generated(std::move(generated))
{
}

std::optional<std::string> TestResources::bytes(std::u16string_view type,
                                                std::u16string_view name) const
{
    for (const Place &place : Places) {
        if (!EqualsIgnoringAsciiCase(place.type, type))
            continue;
        const fs::path folder = (place.inTexts ? m_texts : m_generated) / place.subfolder;
        if (const fs::path file = findFile(folder, name); !file.empty())
            return readFile(file);
    }
    return std::nullopt;
}

const TestResources &TestResources::shipped()
{
    static const TestResources resources;
    return resources;
}

} // namespace z7::test
