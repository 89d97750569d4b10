#include "model/record.h"

#include <gtest/gtest.h>

using namespace z7;

namespace {

std::u16string s(const char16_t *text)
{
    return text;
}

std::u16string repeat(std::size_t count, char16_t c)
{
    return std::u16string(count, c);
}

Slots slotsOf(std::initializer_list<const char16_t *> texts, int count)
{
    Slots list(texts.begin(), texts.end());
    list.resize(std::size_t(count));
    return list;
}

struct SplitCase
{
    const char *name;
    std::u16string line;
    int count;
    Slots slotTexts;
    std::u16string joined;
};

class Split : public testing::TestWithParam<SplitCase>
{
};

TEST_P(Split, SlotsAndJoinedLine)
{
    const SplitCase &c = GetParam();
    const Slots got = SplitRecord(c.line, c.count);
    EXPECT_EQ(got, c.slotTexts);
    for (int k = 0; k < c.count; ++k)
        EXPECT_EQ(RecordSlot(c.line, k), c.slotTexts[std::size_t(k)]) << k;
    EXPECT_EQ(JoinRecord(got), c.joined);
    // After one store a line is stable.
    EXPECT_EQ(JoinRecord(SplitRecord(c.joined, c.count)), c.joined);
}

const std::u16string Long = u"1," + repeat(200, u'x') + u",2,3";

INSTANTIATE_TEST_SUITE_P(
    Lines, Split,
    testing::Values(
        SplitCase{"ShippedBuilding", s(u"5,Strasse,{,4,0,0,0,0,0,0,0,},,"), 15,
                  slotsOf({u"5", u"Strasse", u"{", u"4", u"0", u"0", u"0", u"0", u"0", u"0", u"0",
                           u"}", u""},
                          15),
                  s(u"5,Strasse,{,4,0,0,0,0,0,0,0,},,,,")},
        SplitCase{"LastFieldWithoutCommaIsLost", s(u"100,Weizenfarm,{,40,-2,1,1,2,10,0,0,}"), 15,
                  slotsOf({u"100", u"Weizenfarm", u"{", u"40", u"-2", u"1", u"1", u"2", u"10", u"0",
                           u"0"},
                          15),
                  s(u"100,Weizenfarm,{,40,-2,1,1,2,10,0,0,,,,,")},
        SplitCase{"HouseKeepsSlots0To25",
                  s(u"Grosses Insulae,{,29,40,25,2,1,2,1,1,1,1,1,1,1,1,0,2,12,65,84,3,,,126,,2by2,"
                    u"4,,31.5,"),
                  26,
                  slotsOf({u"Grosses Insulae",
                           u"{",
                           u"29",
                           u"40",
                           u"25",
                           u"2",
                           u"1",
                           u"2",
                           u"1",
                           u"1",
                           u"1",
                           u"1",
                           u"1",
                           u"1",
                           u"1",
                           u"1",
                           u"0",
                           u"2",
                           u"12",
                           u"65",
                           u"84",
                           u"3",
                           u"",
                           u"",
                           u"126",
                           u""},
                          26),
                  s(u"Grosses Insulae,{,29,40,25,2,1,2,1,1,1,1,1,1,1,1,0,2,12,65,84,3,,,126,,")},
        SplitCase{"TrimOnJoinOnly",
                  s(u" a ,\t{,\x01"
                    u"5\x7f,"),
                  4,
                  slotsOf({u" a ", u"\t{",
                           u"\x01"
                           u"5\x7f"},
                          4),
                  s(u"a,{,5\x7f,,")},
        // Only characters at or below U+0020 are trimmed: a no-break space stays.
        SplitCase{"NoBreakSpaceStays", s(u"\u00a0x\u00a0,"), 2, slotsOf({u"\u00a0x\u00a0"}, 2),
                  s(u"\u00a0x\u00a0,,")},
        SplitCase{"NoComma", s(u"ALL HOUSES"), 26, slotsOf({}, 26), repeat(26, u',')},
        SplitCase{"EmptyLine", std::u16string(), 15, slotsOf({}, 15), repeat(15, u',')},
        SplitCase{"FewCommas", s(u"Zelt,{,1,"), 26, slotsOf({u"Zelt", u"{", u"1"}, 26),
                  s(u"Zelt,{,1,") + repeat(23, u',')},
        // Only 150 characters after the first comma take part.
        SplitCase{"CutAfter150", Long, 15, slotsOf({u"1"}, 15), u"1" + repeat(15, u',')},
        SplitCase{"CutAt150Exactly", u"a," + repeat(149, u'y') + u",b,", 3,
                  Slots{u"a", repeat(149, u'y'), u""}, u"a," + repeat(149, u'y') + u",,"},
        SplitCase{"CommaAt151IsCut", u"a," + repeat(150, u'y') + u",b,", 3, slotsOf({u"a"}, 3),
                  u"a,,,"}),
    [](const testing::TestParamInfo<SplitCase> &info) { return std::string(info.param.name); });

} // namespace
