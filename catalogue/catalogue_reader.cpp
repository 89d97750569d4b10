#include "catalogue/catalogue_reader.h"

#include "catalogue/catalogue_texts.h"
#include "model/text.h"
#include "model/textcodec.h"
#include "model/texts.h"

#include <climits>

namespace z7 {

namespace {

// A decimal integer in 32 bits, an optional sign in front, nothing else.
std::optional<int> toCode(std::u16string_view line)
{
    std::size_t i = (!line.empty() && (line[0] == u'-' || line[0] == u'+')) ? 1 : 0;
    if (i == line.size())
        return std::nullopt;
    long long value = 0;
    for (; i < line.size(); ++i) {
        if (line[i] < u'0' || line[i] > u'9')
            return std::nullopt;
        value = value * 10 + (line[i] - u'0');
        if (value > 1LL + INT_MAX)
            return std::nullopt;
    }
    if (line[0] == u'-')
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return std::nullopt;
    return int(value);
}

} // namespace

Catalogue ReadCatalogue(const CatalogueTexts &texts)
{
    Catalogue catalogue;
    const Lines tree = DecodeLines(texts.nodeTree).lines;
    int lastDepth = 0;
    for (const std::u16string &line : tree) {
        std::size_t level = 0;
        while (level < line.size() && (line[level] == u'\t' || line[level] == u' '))
            ++level;
        const std::u16string caption = line.substr(level);
        const bool first = catalogue.nodes.empty();
        if (!first && level > std::size_t(lastDepth) + 1) {
            catalogue.error = Format(catalogue_texts::InvalidLevel, {Number(long(level)), caption});
            return catalogue;
        }
        lastDepth = first ? 0 : int(level);
        catalogue.nodes.push_back({caption, lastDepth});
    }

    const Lines tables[] = {DecodeLines(texts.selectCodes).lines,
                            DecodeLines(texts.recordCodes).lines,
                            DecodeLines(texts.pictureIndexes).lines};
    for (std::size_t i = 0; i < catalogue.nodes.size(); ++i) {
        CatalogueNode &node = catalogue.nodes[i];
        int *codes[] = {&node.selectCode, &node.recordCode, &node.pictureIndex};
        for (int t = 0; t < 3; ++t) {
            if (i >= tables[t].size()) {
                catalogue.error = Format(texts::ListIndexOutOfRange, {Number(long(i))});
                return catalogue;
            }
            const std::optional<int> code = toCode(tables[t][i]);
            if (!code) {
                catalogue.error = Format(catalogue_texts::InvalidInteger, {tables[t][i]});
                return catalogue;
            }
            *codes[t] = *code;
        }
    }
    return catalogue;
}

} // namespace z7
