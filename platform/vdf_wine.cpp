#include "platform/vdf_wine.h"

// Steam's KeyValues text has no reader among the packaged libraries (it is
// neither JSON nor YAML), so this small one is our own. It reads only what
// Steam writes and gives up on anything else: a broken file then counts as no
// file, which is all the prefix search needs.

namespace z7 {

namespace {

// Deeper files than this are not Steam's; the limit keeps a hostile file from
// exhausting the stack.
constexpr int MaxDepth = 64;

bool SameAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

class Reader
{
public:
    explicit Reader(std::string_view text)
        : m_text(text)
    {
    }

    // Entries up to the end of the text (depth 0) or up to the closing brace
    // of the block, which is consumed.
    bool entries(std::vector<VdfEntry> &out, int depth)
    {
        if (depth > MaxDepth)
            return false;
        for (;;) {
            skipSpace();
            if (atEnd())
                return depth == 0;
            if (peek() == '}') {
                ++m_pos;
                return depth > 0;
            }
            VdfEntry entry;
            if (!word(entry.key))
                return false;
            skipSpace();
            if (atEnd())
                return false;
            if (peek() == '{') {
                ++m_pos;
                entry.isBlock = true;
                if (!entries(entry.children, depth + 1))
                    return false;
            } else if (!word(entry.text)) {
                return false;
            }
            skipCondition();
            out.push_back(std::move(entry));
        }
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return m_text[m_pos]; }

    void skipSpace()
    {
        while (!atEnd()) {
            const char c = peek();
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++m_pos;
            } else if (m_text.substr(m_pos, 2) == "//") {
                const std::size_t end = m_text.find('\n', m_pos);
                m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
            } else {
                return;
            }
        }
    }

    // "[$WIN32]" and the like: Steam's way of keeping an entry for one system.
    void skipCondition()
    {
        const std::size_t save = m_pos;
        skipSpace();
        if (!atEnd() && peek() == '[') {
            const std::size_t end = m_text.find(']', m_pos);
            if (end != std::string_view::npos) {
                m_pos = end + 1;
                return;
            }
        }
        m_pos = save;
    }

    // A quoted or bare key or text.
    bool word(std::string &out)
    {
        const char first = peek();
        if (first == '{' || first == '}')
            return false;
        if (first != '"') {
            while (!atEnd()) {
                const char c = peek();
                if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '"' || c == '{' ||
                    c == '}')
                    break;
                out += c;
                ++m_pos;
            }
            return true;
        }
        ++m_pos;
        while (!atEnd()) {
            const char c = m_text[m_pos++];
            if (c == '"')
                return true;
            if (c != '\\' || atEnd()) {
                out += c;
                continue;
            }
            const char e = m_text[m_pos++];
            switch (e) {
            case '\\':
            case '"':
                out += e;
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            default:
                out += '\\';
                out += e;
            }
        }
        return false;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

bool AllDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

const VdfEntry *VdfEntry::child(std::string_view name) const
{
    for (const VdfEntry &entry : children) {
        if (SameAscii(entry.key, name))
            return &entry;
    }
    return nullptr;
}

std::optional<std::vector<VdfEntry>> ParseVdf(std::string_view text)
{
    // Files written on Windows may start with a byte order mark.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<VdfEntry> entries;
    if (!Reader(text).entries(entries, 0))
        return std::nullopt;
    return entries;
}

std::vector<std::string> SteamLibraryPaths(std::string_view libraryFoldersVdf)
{
    const std::optional<std::vector<VdfEntry>> file = ParseVdf(libraryFoldersVdf);
    if (!file)
        return {};
    std::vector<std::string> paths;
    for (const VdfEntry &root : *file) {
        if (!root.isBlock || !SameAscii(root.key, "libraryfolders"))
            continue;
        for (const VdfEntry &library : root.children) {
            if (!AllDigits(library.key))
                continue;
            const VdfEntry *path = library.isBlock ? library.child("path") : &library;
            if (path && !path->isBlock && !path->text.empty())
                paths.push_back(path->text);
        }
    }
    return paths;
}

} // namespace z7
