// What every window must do for the logic, written once and run on the
// window in memory, the Qt window (offscreen) and the Win32 window (under
// Wine on Xvfb). Each case opens a window on the table below through the
// driver of its program, plays the user's input and checks what the logic
// would have seen. A case that passes on one window and fails on another is
// a fault of that window: the logic's own tests run on the fake only.

#include "tests/contract/window_driver.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace z7::contract {
namespace {

std::string Narrow(std::u16string_view text)
{
    std::string ascii;
    for (char16_t c : text)
        ascii += c < 128 ? char(c) : '?';
    return ascii;
}

// What the logic would have seen, in order.
class Recorder final : public WindowEvents
{
public:
    Window *window = nullptr;
    std::vector<std::string> log;
    std::string focusAtClick;
    bool downAtClick = false;
    // A node the changed handler puts the selection back to, as the logic
    // does when it keeps the user on an entry; -1 for none.
    int keepOn = -1;

    void clicked(std::u16string_view control) override
    {
        log.push_back("clicked " + Narrow(control));
        focusAtClick = Narrow(window->focusedControl());
        if (window->findControl(control) == ControlKind::Toggle)
            downAtClick = window->down(control);
    }
    void stepped(std::u16string_view upDown) override
    {
        log.push_back("stepped " + Narrow(upDown));
    }
    void keyReleased(std::u16string_view edit) override
    {
        log.push_back("keyReleased " + Narrow(edit));
    }
    void treeChanging(int next) override
    {
        log.push_back("changing " + std::to_string(next) + " from " +
                      std::to_string(window->selectedNode()));
    }
    void treeChanged(int node) override
    {
        log.push_back("changed " + std::to_string(node) + " at " +
                      std::to_string(window->selectedNode()));
        if (keepOn >= 0 && node != keepOn)
            window->selectNodeQuietly(keepOn);
    }
    std::optional<Colour> treeNodeColour(int) override { return std::nullopt; }
};

const WindowDef TestWindow{u"Z7 Edit", 901, 601, u"Tahoma", 10};

// clang-format off
const std::array<ControlDef, 19> TestControls = {{
    {u"Liste", ControlKind::Picture, nullptr, {8, 8, 135, 96}, nullptr, u"Liste", true, true, Stretched, nullptr},
    {u"Titel", ControlKind::Label, nullptr, {556, 78, 338, 33}, u"Wohnungen", u"Titel", true, true, Centred, nullptr},
    {u"Beenden", ControlKind::Button, nullptr, {588, 563, 306, 33}, u"Beenden", u"Beenden", true, true, PlainLook, nullptr, 0},
    {u"Baum", ControlKind::Tree, nullptr, {8, 135, 226, 385}, nullptr, u"Katalog", true, true, PlainLook, nullptr, 1},
    {u"Werte", ControlKind::Panel, nullptr, {239, 135, 668, 200}, nullptr, u"Werte", true, true, PlainLook, nullptr, 2},
    {u"ZahlEdit", ControlKind::Edit, u"Werte", {174, 25, 50, 22}, u"0", u"Zahl", true, true, DigitsOnly, nullptr, 0},
    {u"ZahlUpD", ControlKind::UpDown, u"Werte", {224, 25, 17, 22}, nullptr, u"Zahl", true, true, PlainLook, nullptr, -1, u"zahledit", -5, 20, 5},
    {u"KostenEdit", ControlKind::Edit, u"Werte", {174, 53, 65, 22}, u"0", u"Kosten", true, true, Highlighted, nullptr, 1},
    {u"KostenUpD", ControlKind::UpDown, u"Werte", {239, 53, 17, 22}, nullptr, u"Kosten", true, true, PlainLook, nullptr, -1, u"KostenEdit", -5000, 5000, 10},
    {u"StandardEdit", ControlKind::Edit, u"Werte", {174, 81, 50, 22}, u"0", u"Standard", true, true, DigitsOnly, nullptr, 2},
    {u"StandardUpD", ControlKind::UpDown, u"Werte", {224, 81, 17, 22}, nullptr, u"Standard", true, true, PlainLook, nullptr, -1, u"StandardEdit"},
    {u"MarktEdit", ControlKind::Toggle, u"Werte", {505, 29, 50, 25}, u"nein", u"Markt", true, true, PlainLook, nullptr},
    {u"MarktBtn", ControlKind::Button, u"Werte", {605, 29, 50, 25}, u"nein", u"Markt original", true, true, PlainLook, nullptr},
    {u"\u00d6lLabel", ControlKind::Label, u"Werte", {7, 110, 160, 26}, u"\u00d6l", u"\u00d6l", true, true, LeftAligned, nullptr},
    {u"Speichern", ControlKind::Button, nullptr, {245, 523, 649, 33}, u"Speichern", u"Speichern", true, true, PlainLook, nullptr, 3},
    {u"Aus", ControlKind::Button, nullptr, {8, 523, 225, 33}, u"Aus", u"Aus", true, false, PlainLook, nullptr, 4},
    {u"Versteckt", ControlKind::Panel, nullptr, {239, 340, 668, 150}, nullptr, u"Versteckt", false, true, PlainLook, nullptr, 5},
    {u"SpaeterEdit", ControlKind::Edit, u"Versteckt", {10, 10, 50, 22}, u"7", u"Sp\u00e4ter", true, true, DigitsOnly, nullptr, 0},
    {u"SpaeterLabel", ControlKind::Label, u"Versteckt", {70, 10, 100, 22}, u"sp\u00e4ter", u"Sp\u00e4ter", true, true, LeftAligned, nullptr},
}};
// clang-format on

// Two groups, the first with two entries; a depth that jumps hangs one
// level below the last node.
const std::vector<TreeNode> TestNodes = {
    {u"Wohnungen", 0, 1, -1, 0},
    {u"Zelt", 1, 100, 100, 1},
    {u"H\u00fctte", 3, 110, 110, 2},
    {u"Lager", 0, 2, -1, 3},
};

class WindowContract : public ::testing::Test
{
protected:
    void SetUp() override
    {
        driver = MakeDriver();
        window = &driver->open(TestWindow, TestControls, events);
        events.window = window;
        events.log.clear();
    }

    std::vector<std::string> takeLog()
    {
        std::vector<std::string> log;
        log.swap(events.log);
        return log;
    }

    // The edit emptied by the program, then clicked and typed into.
    void typeInto(std::u16string_view edit, std::u16string_view text)
    {
        window->setText(edit, u"");
        driver->click(edit);
        driver->typeKeys(text);
    }

    Recorder events;
    std::unique_ptr<WindowDriver> driver;
    Window *window = nullptr;
};

// --- names and the controls' state ---------------------------------------------

TEST_F(WindowContract, NamesAreFoundIgnoringTheCaseOfAToZOnly)
{
    const struct
    {
        std::u16string_view name;
        std::optional<ControlKind> kind;
    } cases[] = {
        {u"KostenEdit", ControlKind::Edit},  {u"kostenedit", ControlKind::Edit},
        {u"KOSTENUPD", ControlKind::UpDown}, {u"\u00d6llabel", ControlKind::Label},
        {u"\u00f6lLabel", std::nullopt}, // Ö is not one of A-Z
        {u"KostenEdit ", std::nullopt},      {u"Nirgends", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(window->findControl(c.name), c.kind) << Narrow(c.name);
    window->setText(u"TITEL", u"Theater");
    EXPECT_EQ(window->text(u"titel"), u"Theater");
}

TEST_F(WindowContract, ControlsStartAsTheTableSaysAndKeepWhatTheProgramSets)
{
    for (const ControlDef &d : TestControls) {
        SCOPED_TRACE(Narrow(d.name));
        EXPECT_EQ(window->visible(d.name), d.visible);
        EXPECT_EQ(window->enabled(d.name), d.enabled);
        EXPECT_EQ(window->geometry(d.name), d.rect);
        if (d.kind == ControlKind::Label || d.kind == ControlKind::Button ||
            d.kind == ControlKind::Edit || d.kind == ControlKind::Toggle) {
            EXPECT_EQ(window->text(d.name), d.caption);
        }
    }
    // The controls of a panel that starts hidden answer as any other, before
    // the panel was ever shown; their own visibility is their own setting.
    EXPECT_TRUE(window->visible(u"SpaeterEdit"));
    window->setText(u"SpaeterEdit", u"12");
    window->setGeometry(u"SpaeterEdit", {20, 12, 60, 22});
    window->setEnabled(u"SpaeterLabel", false);
    EXPECT_EQ(window->text(u"SpaeterEdit"), u"12");
    EXPECT_EQ(window->geometry(u"SpaeterEdit"), (Rect{20, 12, 60, 22}));
    EXPECT_FALSE(window->enabled(u"SpaeterLabel"));
    window->setVisible(u"Versteckt", true);
    EXPECT_EQ(window->text(u"SpaeterEdit"), u"12");
    EXPECT_EQ(window->text(u"SpaeterLabel"), u"sp\u00e4ter");
    window->setVisible(u"Werte", false);
    EXPECT_TRUE(window->visible(u"KostenEdit"));
    EXPECT_FALSE(window->visible(u"Werte"));
    // Texts go in and out unchanged, digits-only edits included.
    window->setText(u"ZahlEdit", u" -1.000 a");
    EXPECT_EQ(window->text(u"ZahlEdit"), u" -1.000 a");
    EXPECT_TRUE(takeLog().empty());
}

// --- focus and the keyboard ------------------------------------------------------

TEST_F(WindowContract, FocusStartsOnTheFirstControlInKeyboardOrder)
{
    EXPECT_EQ(window->focusedControl(), u"Beenden");
}

TEST_F(WindowContract, TabFollowsTheKeyboardOrderIntoPanelsAndSkipsWhatCannotTakeTheFocus)
{
    // The disabled button and the edit on the hidden panel are passed.
    const std::u16string_view forward[] = {u"Baum",         u"ZahlEdit",  u"KostenEdit",
                                           u"StandardEdit", u"Speichern", u"Beenden"};
    for (std::u16string_view expected : forward) {
        driver->press(Key::Tab);
        EXPECT_EQ(window->focusedControl(), expected);
    }
    driver->press(Key::ShiftTab);
    EXPECT_EQ(window->focusedControl(), u"Speichern");
    driver->press(Key::ShiftTab);
    EXPECT_EQ(window->focusedControl(), u"StandardEdit");
    // The key is released in the edit it brought the focus to.
    takeLog();
    driver->press(Key::ShiftTab);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"keyReleased KostenEdit"}));
}

TEST_F(WindowContract, PushButtonTakesTheFocusWhenClickedTabStopOrNot)
{
    for (std::u16string_view button : {u"MarktBtn", u"Speichern"}) {
        driver->click(u"KostenEdit");
        takeLog();
        driver->click(button);
        EXPECT_EQ(takeLog(), std::vector<std::string>{"clicked " + Narrow(button)});
        EXPECT_EQ(events.focusAtClick, Narrow(button));
        EXPECT_EQ(window->focusedControl(), button);
    }
    // Enter and Space press the focused button.
    driver->press(Key::Enter);
    driver->press(Key::Space);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"clicked Speichern", "clicked Speichern"}));
    // A disabled button does nothing.
    driver->click(u"Aus");
    EXPECT_TRUE(takeLog().empty());
}

TEST_F(WindowContract, ToggleFlipsThenClicksNeverTakesTheFocusAndSetDownIsSilent)
{
    driver->click(u"KostenEdit");
    takeLog();
    for (bool down : {true, false}) {
        driver->click(u"MarktEdit");
        EXPECT_EQ(takeLog(), (std::vector<std::string>{"clicked MarktEdit"}));
        EXPECT_EQ(events.downAtClick, down);
        EXPECT_EQ(window->down(u"MarktEdit"), down);
        EXPECT_EQ(window->focusedControl(), u"KostenEdit");
    }
    window->setDown(u"MarktEdit", true);
    EXPECT_TRUE(window->down(u"MarktEdit"));
    EXPECT_TRUE(takeLog().empty());
}

// --- edits and up-downs ------------------------------------------------------------

TEST_F(WindowContract, EditsReportEveryKeyReleaseAndDigitsOnlyTakesDigitsOnly)
{
    typeInto(u"ZahlEdit", u"-12a3");
    EXPECT_EQ(window->text(u"ZahlEdit"), u"123");
    EXPECT_EQ(takeLog(), std::vector<std::string>(5, "keyReleased ZahlEdit"));
    typeInto(u"KostenEdit", u"-12a3");
    EXPECT_EQ(window->text(u"KostenEdit"), u"-12a3");
    EXPECT_EQ(takeLog(), std::vector<std::string>(5, "keyReleased KostenEdit"));
}

// Showing an entry sets most controls to what they already show: such a
// request changes nothing and tells nothing. What the player typed or stepped
// since the program set a text is another text, which the next set writes over.
TEST_F(WindowContract, SettingWhatAControlShowsIsSilentAndStillWritesOverThePlayersEdits)
{
    window->setText(u"KostenEdit", u"50");
    driver->click(u"KostenEdit");
    driver->typeKeys(u"7");
    EXPECT_NE(window->text(u"KostenEdit"), u"50");
    window->setText(u"KostenEdit", u"50");
    EXPECT_EQ(window->text(u"KostenEdit"), u"50");
    driver->clickArrow(u"KostenUpD", +1);
    EXPECT_EQ(window->text(u"KostenEdit"), u"60");
    window->setText(u"KostenEdit", u"50");
    EXPECT_EQ(window->text(u"KostenEdit"), u"50");
    takeLog();
    for (int again = 0; again < 2; ++again) {
        window->setText(u"MarktBtn", u"ja");
        window->setText(u"MarktEdit", u"ja");
        window->setText(u"\u00d6lLabel", u"Wein");
        window->setDown(u"MarktEdit", true);
        window->setVisible(u"ZahlEdit", false);
        window->setEnabled(u"Speichern", false);
        window->setGeometry(u"StandardEdit", {174, 81, 60, 22});
        window->showListPicture(u"Liste", 3);
    }
    EXPECT_EQ(window->text(u"MarktBtn"), u"ja");
    EXPECT_EQ(window->text(u"MarktEdit"), u"ja");
    EXPECT_EQ(window->text(u"\u00d6lLabel"), u"Wein");
    EXPECT_TRUE(window->down(u"MarktEdit"));
    EXPECT_FALSE(window->visible(u"ZahlEdit"));
    EXPECT_FALSE(window->enabled(u"Speichern"));
    EXPECT_EQ(window->geometry(u"StandardEdit"), (Rect{174, 81, 60, 22}));
    EXPECT_TRUE(takeLog().empty());
}

// The same typing steps the cost's up-down (-5000..5000 by 10, never stepped
// before) to the same number on every window.
TEST_F(WindowContract, UpDownStepsFromTheNumberTypedIntoItsEdit)
{
    const struct
    {
        const char *how;
        std::u16string_view typed;
        bool byTab; // Tab into the edit, type, Enter; else clicked into the emptied edit
        int direction;
        std::u16string_view result;
    } cases[] = {
        {"a sign", u"+75", false, +1, u"85"},
        {"Tab, Enter", u"75", true, +1, u"85"},
        {"too many digits", u"1234567890", false, +1, u"5000"},
        {"below the range", u"-6000", false, +1, u"-4990"},
        {"no number", u"abc", false, -1, u"-10"},
        {"spaces", u" 42 ", false, -1, u"32"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.how);
        driver = nullptr;
        SetUp();
        if (c.byTab) {
            driver->click(u"ZahlEdit");
            driver->press(Key::Tab);
            EXPECT_EQ(window->focusedControl(), u"KostenEdit");
            driver->typeKeys(c.typed);
            driver->press(Key::Enter);
        } else {
            typeInto(u"KostenEdit", c.typed);
        }
        EXPECT_EQ(window->text(u"KostenEdit"), c.typed);
        takeLog();
        driver->clickArrow(u"KostenUpD", c.direction);
        EXPECT_EQ(window->text(u"KostenEdit"), c.result);
        EXPECT_EQ(takeLog(), (std::vector<std::string>{"stepped KostenUpD", "clicked KostenUpD"}));
    }
}

TEST_F(WindowContract, UpDownKeepsItsRangeAndClicksOnlyWhenThePositionChanges)
{
    // StandardUpD has the defaults 0..100 by 1, ZahlUpD -5..20 by 5.
    const struct
    {
        std::u16string_view upDown, edit, text;
        int direction;
        std::u16string_view result;
        std::vector<std::string> log;
    } steps[] = {
        {u"StandardUpD",
         u"StandardEdit",
         u"99",
         +1,
         u"100",
         {"stepped StandardUpD", "clicked StandardUpD"}},
        {u"StandardUpD", u"StandardEdit", u"100", +1, u"100", {"stepped StandardUpD"}},
        {u"StandardUpD",
         u"StandardEdit",
         u"0",
         -1,
         u"0",
         {"stepped StandardUpD", "clicked StandardUpD"}},
        {u"StandardUpD", u"StandardEdit", u"0", -1, u"0", {"stepped StandardUpD"}},
        {u"ZahlUpD", u"ZahlEdit", u"18", +1, u"20", {"stepped ZahlUpD", "clicked ZahlUpD"}},
        {u"ZahlUpD", u"ZahlEdit", u"-4", -1, u"-5", {"stepped ZahlUpD", "clicked ZahlUpD"}},
        {u"ZahlUpD", u"ZahlEdit", u"", +1, u"0", {"stepped ZahlUpD", "clicked ZahlUpD"}},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(Narrow(s.upDown) + " from \"" + Narrow(s.text) + "\"");
        window->setText(s.edit, s.text);
        takeLog();
        driver->clickArrow(s.upDown, s.direction);
        EXPECT_EQ(window->text(s.edit), s.result);
        EXPECT_EQ(takeLog(), s.log);
    }
}

TEST_F(WindowContract, UpAndDownKeysInTheEditStepLikeTheArrows)
{
    typeInto(u"KostenEdit", u"100");
    takeLog();
    driver->press(Key::Up);
    EXPECT_EQ(window->text(u"KostenEdit"), u"110");
    driver->press(Key::Down);
    driver->press(Key::Down);
    EXPECT_EQ(window->text(u"KostenEdit"), u"90");
    EXPECT_EQ(window->focusedControl(), u"KostenEdit");
    const std::vector<std::string> step = {"stepped KostenUpD", "clicked KostenUpD",
                                           "keyReleased KostenEdit"};
    std::vector<std::string> expected;
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), step.begin(), step.end());
    EXPECT_EQ(takeLog(), expected);
}

// --- the tree ----------------------------------------------------------------------

TEST_F(WindowContract, FillingAndQuietSelectionRunNoTreeHandler)
{
    window->fillTree(TestNodes);
    window->fillTree(TestNodes);
    EXPECT_EQ(window->selectedNode(), -1);
    // The node that jumps two levels hangs one below the last node.
    const int depths[] = {0, 1, 2, 0};
    for (int i = 0; i < int(TestNodes.size()); ++i) {
        TreeNode expected = TestNodes[std::size_t(i)];
        expected.depth = depths[i];
        EXPECT_EQ(window->treeNode(i), expected) << i;
    }
    window->selectNodeQuietly(3);
    EXPECT_EQ(window->selectedNode(), 3);
    window->fillTree(TestNodes);
    EXPECT_EQ(window->selectedNode(), -1);
    EXPECT_TRUE(takeLog().empty());
}

TEST_F(WindowContract, TreeTellsBeforeAndAfterEveryMoveByMouseAndKeysButNotOnAReclick)
{
    window->fillTree(TestNodes);
    driver->clickNode(0);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"changing 0 from -1", "changed 0 at 0"}));
    driver->clickNode(0);
    EXPECT_TRUE(takeLog().empty());
    // The groups are collapsed: Down goes from group to group.
    driver->press(Key::Down);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"changing 3 from 0", "changed 3 at 3"}));
    driver->press(Key::Up);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"changing 0 from 3", "changed 0 at 0"}));
}

TEST_F(WindowContract, TreeThatGetsTheFocusWithNothingSelectedSelectsItsFirstNode)
{
    window->fillTree(TestNodes);
    driver->press(Key::Tab);
    EXPECT_EQ(window->focusedControl(), u"Baum");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"changing 0 from -1", "changed 0 at 0"}));
}

TEST_F(WindowContract, QuietSelectionInTheChangedHandlerIsWhereTheTreeStays)
{
    window->fillTree(TestNodes);
    driver->clickNode(0);
    events.keepOn = 0;
    takeLog();
    driver->clickNode(3);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"changing 3 from 0", "changed 3 at 3"}));
    EXPECT_EQ(window->selectedNode(), 0);
    // The keyboard goes on from the node kept, not from the one clicked.
    events.keepOn = -1;
    driver->press(Key::Down);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"changing 3 from 0", "changed 3 at 3"}));
}

TEST_F(WindowContract, MarksStayOnTheirNodesUntilTheTreeIsFilledAgain)
{
    window->fillTree(TestNodes);
    window->setNodeMarked(2, true);
    window->setNodeMarked(0, true);
    driver->clickNode(0);
    window->setNodeMarked(0, false);
    window->setNodeMarked(0, true);
    driver->press(Key::Down);
    const bool marked[] = {true, false, true, false};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window->nodeMarked(i), marked[i]) << i;
    window->fillTree(TestNodes);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(window->nodeMarked(i)) << i;
}

// Marking is drawing only: no handler runs, the selection stays, and the
// caption and codes of every node, hidden below a collapsed group or not,
// stay what the tree was filled with.
TEST_F(WindowContract, MarkingChangesNeitherNodesNorSelectionAndRunsNoHandler)
{
    window->fillTree(TestNodes);
    const std::vector<TreeNode> filled = {
        TestNodes[0], TestNodes[1], {u"H\u00fctte", 2, 110, 110, 2}, TestNodes[3]};
    window->selectNodeQuietly(3);
    for (const bool marked : {true, false, true}) {
        for (int i = 0; i < 4; ++i)
            window->setNodeMarked(i, marked);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(window->nodeMarked(i), marked) << i;
            EXPECT_EQ(window->treeNode(i), filled[std::size_t(i)]) << i;
        }
        EXPECT_EQ(window->selectedNode(), 3);
    }
    EXPECT_TRUE(takeLog().empty());
    // A marked node is selected and left like any other.
    driver->clickNode(0);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"changing 0 from 3", "changed 0 at 0"}));
    EXPECT_TRUE(window->nodeMarked(0));
}

// --- message boxes -----------------------------------------------------------------

TEST_F(WindowContract, MessageBoxesShowTheirButtonsAndAnswerWhatThePlayerDid)
{
    const std::vector<std::u16string> ok = {u"OK"};
    const std::vector<std::u16string> yesNo = {u"Ja", u"Nein"};
    const std::vector<std::u16string> okCancel = {u"OK", u"Abbrechen"};
    const struct
    {
        int flags;
        BoxAction action;
        int answer;
        const std::vector<std::u16string> &buttons;
        int defaultButton;
    } cases[] = {
        {16, {BoxAction::Press, 0}, 1, ok, 0},
        {16, {BoxAction::Escape}, 2, ok, 0},
        {36, {BoxAction::Press, 0}, 6, yesNo, 0},
        {36, {BoxAction::Press, 1}, 7, yesNo, 0},
        // Leaving a question is not answering No: nothing may be thrown away.
        {36, {BoxAction::Escape}, 2, yesNo, 0},
        {36, {BoxAction::Close}, 2, yesNo, 0},
        {289, {BoxAction::Press, 0}, 1, okCancel, 1},
        {289, {BoxAction::Press, 1}, 2, okCancel, 1},
        {289, {BoxAction::Escape}, 2, okCancel, 1},
        {289, {BoxAction::Close}, 2, okCancel, 1},
    };
    int count = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE("flags " + std::to_string(c.flags) + ", action " +
                     std::to_string(int(c.action.kind)) + ", button " +
                     std::to_string(c.action.button));
        driver->answerNextBox(c.action);
        EXPECT_EQ(window->messageBox(u"Theater\rDie Einheit wurde bearbeitet. Speichern?",
                                     u"Sicherheitsabfrage", c.flags),
                  c.answer);
        const std::vector<SeenBox> seen = driver->seenBoxes();
        ASSERT_EQ(seen.size(), std::size_t(++count));
        EXPECT_EQ(seen.back().title, u"Sicherheitsabfrage");
        EXPECT_EQ(seen.back().lines, (std::vector<std::u16string>{
                                         u"Theater", u"Die Einheit wurde bearbeitet. Speichern?"}));
        EXPECT_EQ(seen.back().buttons, c.buttons);
        EXPECT_EQ(seen.back().defaultButton, c.defaultButton);
    }
    EXPECT_TRUE(takeLog().empty());
}

} // namespace
} // namespace z7::contract
