#include "textcodec.h"

#include <gtest/gtest.h>

using namespace z7;

namespace {

QByteArray bytes(const char *text, qsizetype size)
{
    return QByteArray(text, size);
}
#define B(literal) bytes(literal, sizeof(literal) - 1)

QStringList lines(std::initializer_list<const char16_t *> texts)
{
    QStringList list;
    for (const char16_t *t : texts)
        list.append(QStringView(t).toString());
    return list;
}

struct DecodeCase
{
    const char *name;
    QByteArray input;
    QStringList lines;
    TextEncoding encoding;
};

class Decode : public testing::TestWithParam<DecodeCase>
{
};

TEST_P(Decode, LinesAndEncoding)
{
    const DecodedText text = DecodeLines(GetParam().input);
    EXPECT_EQ(text.lines, GetParam().lines);
    EXPECT_EQ(text.encoding, GetParam().encoding);
}

INSTANTIATE_TEST_SUITE_P(
    LineRulesAndMarks, Decode,
    testing::Values(
        DecodeCase{"Empty", QByteArray(), {}, TextEncoding::Ansi},
        DecodeCase{"OnlyBreak", B("\r\n"), lines({u""}), TextEncoding::Ansi},
        DecodeCase{"NoFinalBreak", B("a\r\nb"), lines({u"a", u"b"}), TextEncoding::Ansi},
        DecodeCase{"FinalBreakAddsNoLine", B("a\r\nb\r\n"), lines({u"a", u"b"}),
                   TextEncoding::Ansi},
        DecodeCase{"LoneLfAndCr", B("a\nb\rc"), lines({u"a", u"b", u"c"}), TextEncoding::Ansi},
        DecodeCase{"LfCrIsTwoBreaks", B("a\n\rb"), lines({u"a", u"", u"b"}), TextEncoding::Ansi},
        DecodeCase{"InnerEmptyLinesStay", B("a\r\n\r\n\r\nb"), lines({u"a", u"", u"", u"b"}),
                   TextEncoding::Ansi},
        DecodeCase{"NulEndsText", B("a\r\nb\0c\r\nd"), lines({u"a", u"b"}), TextEncoding::Ansi},
        DecodeCase{"Cp1252Umlauts", B("\xe4\xf6\xfc\xd6\x80\x9f\x81"), lines({u"äöüÖ€Ÿ\u0081"}),
                   TextEncoding::Ansi},
        DecodeCase{"Utf8Mark", B("\xef\xbb\xbf\xc3\xa4\r\nx"), lines({u"ä", u"x"}),
                   TextEncoding::Utf8},
        DecodeCase{"SecondMarkIsText", B("\xef\xbb\xbf\xef\xbb\xbfx"), lines({u"\ufeffx"}),
                   TextEncoding::Utf8},
        DecodeCase{"Utf16LEMark", B("\xff\xfe\xe4\x00\r\x00\n\x00x\x00"), lines({u"ä", u"x"}),
                   TextEncoding::Utf16LE},
        DecodeCase{"Utf16BEMark", B("\xfe\xff\x00\xe4\x00\n\x00x"), lines({u"ä", u"x"}),
                   TextEncoding::Utf16BE},
        DecodeCase{"Utf16NulEndsText",
                   B("\xff\xfe"
                     "a\x00\x00\x00"
                     "b\x00"),
                   lines({u"a"}), TextEncoding::Utf16LE},
        // A mark alone is an empty text; two bytes of the UTF-8 mark are no mark.
        DecodeCase{"MarkOnly", B("\xef\xbb\xbf"), {}, TextEncoding::Utf8},
        DecodeCase{"PartialMarkIsAnsi", B("\xef\xbb"), lines({u"ï»"}), TextEncoding::Ansi}),
    [](const testing::TestParamInfo<DecodeCase> &info) { return std::string(info.param.name); });

TEST(Encode, EveryLineEndsInCrLfWithTheMarkOfItsEncoding)
{
    const QStringList text = lines({u"ä€", u""});
    EXPECT_EQ(EncodeLines(text, TextEncoding::Ansi), B("\xe4\x80\r\n\r\n"));
    EXPECT_EQ(EncodeLines(text, TextEncoding::Utf8), B("\xef\xbb\xbf\xc3\xa4\xe2\x82\xac\r\n\r\n"));
    EXPECT_EQ(EncodeLines(text, TextEncoding::Utf16LE),
              B("\xff\xfe\xe4\x00\xac\x20\r\x00\n\x00\r\x00\n\x00"));
    EXPECT_EQ(EncodeLines(text, TextEncoding::Utf16BE),
              B("\xfe\xff\x00\xe4\x20\xac\x00\r\x00\n\x00\r\x00\n"));
    EXPECT_EQ(EncodeLines({}, TextEncoding::Utf8), B("\xef\xbb\xbf"));
}

TEST(Encode, AnsiReplacesWhatCp1252CannotHold)
{
    // U+0080 is not the euro sign; a character outside the BMP is one '?'.
    EXPECT_EQ(EncodeLines(lines({u"\u0080\u0101\U0001F600x"}), TextEncoding::Ansi), B("???x\r\n"));
}

TEST(Encode, EveryAnsiByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            all.append(char(b));
    }
    const DecodedText text = DecodeLines(all);
    ASSERT_EQ(text.lines.size(), 1);
    EXPECT_EQ(EncodeLines(text.lines, TextEncoding::Ansi), all + "\r\n");
}

TEST(Encode, UnicodeRoundTripsKeepEveryCharacter)
{
    const QStringList text = lines({u"Möbel \U0001F600 ŒŸ", u"", u"x"});
    for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        const DecodedText back = DecodeLines(EncodeLines(text, e));
        EXPECT_EQ(back.lines, text);
        EXPECT_EQ(back.encoding, e);
    }
}

} // namespace
