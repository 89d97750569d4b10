// The catalogue is built from four texts: the node tree (one caption per line,
// indented by TABs or spaces) and three code tables (one integer per line).
// Whatever the texts, the build either stops with one of its German errors
// or gives a tree of exactly one node per line, in line order, with the codes
// of the same lines; and a text that cannot be had leaves the tree alone.
//
// Input: the four texts separated by the byte 0x1E, in the order NodeTree,
// NodeIndex, NodeStatusIndex, NodeExtendedIndex; a fifth part, when present,
// names by its first byte a text that cannot be had.

#include "catalogue/catalogue.h"
#include "fuzz/check.h"
#include "model/text.h"
#include "model/textcodec.h"
#include "platform/error.h"
#include "tests/support/fake_window.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace z7;

const std::array<std::u16string_view, 4> TextNames = {u"NodeTree", u"NodeIndex", u"NodeStatusIndex",
                                                      u"NodeExtendedIndex"};

test::FakeWindow &TheWindow()
{
    static test::FakeWindow window;
    return window;
}

// A code line read on its own terms: an optional sign, decimal digits, 32 bits.
std::optional<int> Code(std::u16string_view line)
{
    const bool sign = !line.empty() && (line[0] == u'-' || line[0] == u'+');
    std::size_t i = sign ? 1 : 0;
    if (i == line.size())
        return std::nullopt;
    long long value = 0;
    for (; i < line.size(); ++i) {
        if (line[i] < u'0' || line[i] > u'9')
            return std::nullopt;
        value = value * 10 + (line[i] - u'0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (line[0] == u'-')
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return int(value);
}

std::size_t Indent(std::u16string_view line)
{
    std::size_t level = 0;
    while (level < line.size() && (line[level] == u'\t' || line[level] == u' '))
        ++level;
    return level;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    std::vector<std::string> parts(1);
    for (char c : input) {
        if (c == '\x1e')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    std::array<std::string, 4> texts;
    for (std::size_t i = 0; i < 4 && i < parts.size(); ++i)
        texts[i] = parts[i];
    const std::size_t missing =
        parts.size() > 4 && !parts[4].empty() ? std::uint8_t(parts[4][0]) % 8 : 4;

    const std::vector<TreeNode> before = TheWindow().nodes();
    const CatalogueTextSource source = [&](std::u16string_view name) {
        std::size_t index = 0;
        while (index < 4 && TextNames[index] != name)
            ++index;
        Z7_CHECK(index < 4);
        if (index == missing)
            throw Error("Ressource " + ToUtf8(name) + " nicht gefunden");
        return texts[index];
    };

    std::optional<std::string> error;
    try {
        BuildCatalogue(TheWindow(), source);
    } catch (const Error &e) {
        error = e.what();
    }

    if (missing < 4) {
        Z7_CHECK(error && error->rfind("Ressource ", 0) == 0);
        Z7_CHECK(TheWindow().nodes() == before);
        return 0;
    }

    // What the texts must give, worked out line by line on their own.
    const Lines lines = DecodeLines(texts[0]).lines;
    std::vector<Lines> tables;
    for (int t = 1; t < 4; ++t)
        tables.push_back(DecodeLines(texts[std::size_t(t)]).lines);
    std::optional<std::u16string> expectedError;
    std::size_t lastDepth = 0;
    for (std::size_t i = 0; i < lines.size() && !expectedError; ++i) {
        const std::size_t level = Indent(lines[i]);
        if (i > 0 && level > lastDepth + 1)
            expectedError =
                Format(u"Ungültige Ebene (%1) für Eintrag \"%2\"",
                       {Number((long long)level), std::u16string_view(lines[i]).substr(level)});
        lastDepth = i == 0 ? 0 : level;
    }
    for (std::size_t i = 0; i < lines.size() && !expectedError; ++i) {
        for (const Lines &table : tables) {
            if (i >= table.size()) {
                expectedError = Format(u"Listenindex außerhalb des gültigen Bereichs (%1)",
                                       {Number((long long)i)});
                break;
            }
            if (!Code(table[i])) {
                expectedError = Format(u"'%1' ist kein gültiger Integerwert", {table[i]});
                break;
            }
        }
    }

    if (expectedError) {
        // The program's own UTF-8, which writes U+FFFD for a lone surrogate.
        const std::string expected = ToUtf8(*expectedError);
        if (!error || *error != expected)
            std::fprintf(stderr, "expected %s\n     got %s\n", expected.c_str(),
                         error ? error->c_str() : "no error");
        Z7_CHECK(error && *error == expected);
        return 0;
    }
    if (error)
        std::fprintf(stderr, "unexpected error %s\n", error->c_str());
    Z7_CHECK(!error);

    const std::vector<TreeNode> &nodes = TheWindow().nodes();
    Z7_CHECK(nodes.size() == lines.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const std::size_t level = Indent(lines[i]);
        Z7_CHECK(nodes[i].caption == std::u16string_view(lines[i]).substr(level));
        Z7_CHECK(std::size_t(nodes[i].depth) == (i == 0 ? 0 : level));
        Z7_CHECK(nodes[i].selectCode == *Code(tables[0][i]));
        Z7_CHECK(nodes[i].recordCode == *Code(tables[1][i]));
        Z7_CHECK(nodes[i].pictureIndex == *Code(tables[2][i]));
    }
    Z7_CHECK(TheWindow().selectedNode() == -1);
    return 0;
}
