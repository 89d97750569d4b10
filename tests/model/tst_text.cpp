#include "model/text.h"

#include <gtest/gtest.h>

using namespace z7;

namespace {

TEST(Text, FormatFillsNumberedPlaceholders)
{
    struct Case
    {
        std::u16string_view pattern;
        std::initializer_list<std::u16string_view> args;
        std::u16string_view expected;
    };
    for (const Case &c : {
             Case{u"Datei %1 fehlt. %2", {u"C:\\a", u"Grund"}, u"Datei C:\\a fehlt. Grund"},
             Case{u"%2%1%2", {u"a", u"b"}, u"bab"},
             // Without its argument a placeholder stays; an argument is not read again.
             Case{u"%1 %3 100%", {u"%2", u"x"}, u"%2 %3 100%"},
             Case{u"", {u"a"}, u""},
         }) {
        EXPECT_EQ(Format(c.pattern, c.args), c.expected) << ToUtf8(c.pattern);
    }
}

TEST(Text, Utf8BothWays)
{
    const std::u16string text = u"Möbel € \U0001F600 ß";
    const std::string utf8 = "M\xc3\xb6"
                             "bel \xe2\x82\xac \xf0\x9f\x98\x80 \xc3\x9f";
    EXPECT_EQ(ToUtf8(text), utf8);
    EXPECT_EQ(FromUtf8(utf8), text);
    EXPECT_EQ(ToUtf8(std::u16string{char16_t(0xDC00), u'x'}), "\xef\xbf\xbdx");
}

TEST(Text, NumbersTrimAndCase)
{
    EXPECT_EQ(Number(-5000), u"-5000");
    EXPECT_EQ(Number(0), u"0");
    EXPECT_EQ(TrimControl(u"\x01 \tTheater\x7f\r\n"), u"Theater\x7f");
    EXPECT_EQ(TrimControl(u"\u00a0x"), u"\u00a0x");
    EXPECT_TRUE(EqualsIgnoringAsciiCase(u"UnterhaltungslevelEdit", u"UnterhaltungsLevelEdit"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase(u"Möbel", u"MÖBEL"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase(u"ab", u"abc"));
}

} // namespace
