#include "platform/services.h"

#include "platform/platform.h"

#include <algorithm>

namespace z7 {

namespace {

// Windows keeps paths and executable names in arrays of 260 UTF-16 units.
constexpr std::size_t PathLimit = 260;

std::string UpperAscii(std::string text)
{
    for (char &c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string UpToNul(const std::string &text)
{
    return text.substr(0, text.find('\0'));
}

// Byte length of the longest prefix of the UTF-8 text that fits into
// maxUnits UTF-16 units; a character is never split.
std::size_t PrefixFittingUtf16(const std::string &text, std::size_t maxUnits)
{
    std::size_t units = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t bytes = lead < 0x80    ? 1
                                  : lead >= 0xF0 ? 4
                                  : lead >= 0xE0 ? 3
                                  : lead >= 0xC0 ? 2
                                                 : 1;
        const std::size_t needed = bytes == 4 ? 2 : 1;
        if (units + needed > maxUnits)
            break;
        units += needed;
        i += bytes;
    }
    return std::min(i, text.size());
}

} // namespace

bool IsProcessRunning(Platform &platform, const std::string &name)
{
    const std::string wanted = UpperAscii(name);
    bool running = false;
    // Every entry is looked at, also after a match, so that the whole list is
    // taken and released in one go whatever it holds.
    for (const std::string &entry : platform.processNames()) {
        std::string exe = UpToNul(entry);
        exe = UpperAscii(exe.substr(0, PrefixFittingUtf16(exe, PathLimit)));
        const std::size_t cut = exe.find_last_of("\\:");
        const std::string fileName = cut == std::string::npos ? exe : exe.substr(cut + 1);
        if (fileName == wanted || exe == wanted)
            running = true;
    }
    return running;
}

std::string SpecialFolderPath(Platform &platform, int folder)
{
    if (folder != DocumentsFolderNumber)
        return {};
    const std::string path = UpToNul(platform.documentsFolder());
    // The shell cannot hand out a path that does not fit its buffer, NUL included.
    if (PrefixFittingUtf16(path, PathLimit - 1) < path.size())
        return {};
    return path;
}

} // namespace z7
