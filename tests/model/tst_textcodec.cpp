#include "model/textcodec.h"

#include <gtest/gtest.h>

using namespace z7;

namespace {

#define B(literal) std::string(literal, sizeof(literal) - 1)

Lines lines(std::initializer_list<const char16_t *> texts)
{
    return Lines(texts.begin(), texts.end());
}

struct DecodeCase
{
    const char *name;
    std::string input;
    Lines lines;
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
        DecodeCase{"Empty", std::string(), {}, TextEncoding::Ansi},
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
        DecodeCase{"PartialMarkIsAnsi", B("\xef\xbb"), lines({u"ï»"}), TextEncoding::Ansi},
        // Broken UTF-8: one replacement character for each maximal broken part,
        // and what follows it is read again from its own first byte.
        DecodeCase{"Utf8BrokenParts",
                   B("\xef\xbb\xbf"
                     "a\xff"
                     "b\xe2\x82"
                     "c\xf0\x9f\x98\x80"),
                   lines({u"a\ufffdb\ufffdc\U0001F600"}), TextEncoding::Utf8},
        DecodeCase{"Utf8OverlongAndSurrogateForms", B("\xef\xbb\xbf\xc0\xaf\xed\xa0\x80\xf4\x90"),
                   lines({u"\ufffd\ufffd\ufffd\ufffd\ufffd\ufffd\ufffd"}), TextEncoding::Utf8},
        DecodeCase{"Utf8CutAtTheEnd",
                   B("\xef\xbb\xbf"
                     "x\xe2\x82"),
                   lines({u"x\ufffd"}), TextEncoding::Utf8},
        DecodeCase{"Utf16OddLastByte",
                   B("\xff\xfe"
                     "a\x00"
                     "b"),
                   lines({u"a\ufffd"}), TextEncoding::Utf16LE}),
    [](const testing::TestParamInfo<DecodeCase> &info) { return std::string(info.param.name); });

TEST(Encode, EveryLineEndsInCrLfWithTheMarkOfItsEncoding)
{
    const Lines text = lines({u"ä€", u""});
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
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            all += char(b);
    }
    const DecodedText text = DecodeLines(all);
    ASSERT_EQ(text.lines.size(), 1u);
    EXPECT_EQ(EncodeLines(text.lines, TextEncoding::Ansi), all + "\r\n");
}

TEST(Encode, Utf16KeepsUnpairedSurrogatesUtf8MarksThem)
{
    const Lines text{std::u16string{u'a', char16_t(0xD800), u'b'}};
    for (TextEncoding e : {TextEncoding::Utf16LE, TextEncoding::Utf16BE})
        EXPECT_EQ(DecodeLines(EncodeLines(text, e)).lines, text);
    EXPECT_EQ(EncodeLines(text, TextEncoding::Utf8), B("\xef\xbb\xbf"
                                                       "a\xef\xbf\xbd"
                                                       "b\r\n"));
}

TEST(Encode, UnicodeRoundTripsKeepEveryCharacter)
{
    const Lines text = lines({u"Möbel \U0001F600 ŒŸ", u"", u"x"});
    for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        const DecodedText back = DecodeLines(EncodeLines(text, e));
        EXPECT_EQ(back.lines, text);
        EXPECT_EQ(back.encoding, e);
    }
}

} // namespace
