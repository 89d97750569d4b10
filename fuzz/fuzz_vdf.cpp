// Steam's libraryfolders.vdf lives in the player's home, where anything can
// change it, and its reader is our own. Two properties:
// - any file: reading never crashes and gives the same tree twice, and a
//   file that does not read gives no libraries;
// - a tree written the way Steam writes it (every key and text quoted, "\"
//   and quote escaped, tabs between key and text) reads back as it was, and
//   the library paths in it come back in their order.

#include "fuzz/check.h"
#include "platform/vdf_wine.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace z7;

bool Same(const std::vector<VdfEntry> &a, const std::vector<VdfEntry> &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].key != b[i].key || a[i].text != b[i].text || a[i].isBlock != b[i].isBlock ||
            !Same(a[i].children, b[i].children))
            return false;
    }
    return true;
}

std::string Quoted(const std::string &text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

void Write(const std::vector<VdfEntry> &entries, int depth, std::string &out)
{
    const std::string indent(std::size_t(depth), '\t');
    for (const VdfEntry &entry : entries) {
        out += indent + Quoted(entry.key);
        if (entry.isBlock) {
            out += "\n" + indent + "{\n";
            Write(entry.children, depth + 1, out);
            out += indent + "}\n";
        } else {
            out += "\t\t" + Quoted(entry.text) + "\n";
        }
    }
}

std::vector<VdfEntry> Tree(FuzzedDataProvider &input, int depth)
{
    std::vector<VdfEntry> entries(input.ConsumeIntegralInRange<std::size_t>(0, depth ? 4 : 3));
    for (VdfEntry &entry : entries) {
        entry.key = input.ConsumeRandomLengthString(16);
        entry.isBlock = depth < 6 && input.ConsumeBool();
        if (entry.isBlock)
            entry.children = Tree(input, depth + 1);
        else
            entry.text = input.ConsumeRandomLengthString(32);
    }
    return entries;
}

void CheckWrittenTreeReadsBack(FuzzedDataProvider &input)
{
    std::vector<VdfEntry> tree = Tree(input, 0);
    // A library list of its own, with paths Steam may write.
    VdfEntry libraries{"libraryfolders", {}, {}, true};
    std::vector<std::string> paths;
    for (int i = 0, n = input.ConsumeIntegralInRange(0, 4); i < n; ++i) {
        std::string path = "/" + input.ConsumeRandomLengthString(24);
        VdfEntry library{std::to_string(i), {}, {}, true};
        library.children.push_back({"path", path, {}, false});
        library.children.push_back({"label", "", {}, false});
        libraries.children.push_back(library);
        paths.push_back(path);
    }
    tree.insert(tree.begin(), libraries);
    std::string file;
    Write(tree, 0, file);
    const auto read = ParseVdf(file);
    Z7_CHECK(read && Same(*read, tree));
    Z7_CHECK(SteamLibraryPaths(file) == paths);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool()) {
        CheckWrittenTreeReadsBack(input);
        return 0;
    }
    const std::string file = input.ConsumeRemainingBytesAsString();
    const auto first = ParseVdf(file);
    const auto second = ParseVdf(file);
    Z7_CHECK(bool(first) == bool(second));
    Z7_CHECK(!first || Same(*first, *second));
    if (!first)
        Z7_CHECK(SteamLibraryPaths(file).empty());
    return 0;
}
