// The value panels' logic on the window in memory, driven as the skins deliver
// a user's actions: selecting entries, typing, stepping, toggles, reference
// buttons, Save, the resets and another program writing the model file,
// checked in the controls and in the model file's bytes.

#include "tests/support/logic_fixture.h"

#include "catalogue/node_codes.h"
#include "catalogue/window_names.h"
#include "editor/value_rows.h"

#include <filesystem>
#include <functional>
#include <utility>

namespace z7::test {
namespace {

using Texts = std::vector<std::pair<std::u16string_view, std::u16string_view>>;
using Lines = std::map<int, std::string>;

class Editing : public LogicEditing
{
protected:
    int visibleMarkers() const
    {
        int n = 0;
        for (const ValueRowDef &row : ValueRows)
            n += window->visible(row.pngName);
        return n;
    }
    void expectTexts(const Texts &texts) const
    {
        for (const auto &[control, expected] : texts)
            EXPECT_EQ(text(control), expected) << ToUtf8(control);
    }
    void type(const Texts &texts)
    {
        for (const auto &[edit, value] : texts)
            window->type(edit, value);
    }
    void leaveFor(std::u16string_view caption, int answer)
    {
        window->queueAnswer(answer);
        select(caption);
    }
    void save(std::optional<int> answer = std::nullopt)
    {
        if (answer)
            window->queueAnswer(*answer);
        window->click(u"Speichern");
    }
};

// --- showing an entry -----------------------------------------------------------

struct ShowCase
{
    const char *name;
    std::u16string_view entry;
    Texts texts;
    std::vector<std::pair<std::u16string_view, bool>> visible;
    std::optional<Rect> cost; // where the cost row stands, when shown
};

class ShowEntry : public Editing, public ::testing::WithParamInterface<ShowCase>
{
};

// Each kind of entry has its layout and its slots; a slot read from the wrong
// line or a row left over from the last layout shows the player wrong values.
TEST_P(ShowEntry, FillsTheLayoutOfItsKind)
{
    const ShowCase &c = GetParam();
    select(c.entry);
    expectTexts(c.texts);
    for (const auto &[control, visible] : c.visible)
        EXPECT_EQ(shown(control), visible) << ToUtf8(control);
    if (c.cost) {
        EXPECT_EQ(window->geometry(u"BaukostenEdit"), *c.cost);
    }
    for (int row = rows::Marktzugang; row < rows::Count; ++row) {
        const ValueRowDef &d = ValueRows[std::size_t(row)];
        EXPECT_EQ(window->down(d.editName), text(d.editName) == u"ja") << ToUtf8(d.editName);
    }
    EXPECT_FALSE(shown(u"NoSelectImage"));
    EXPECT_EQ(visibleMarkers(), 0);
    EXPECT_EQ(text(u"ObjektnameLabel"), c.entry);
    EXPECT_EQ(text(u"SingleElementReset"), u"Reset : " + std::u16string(c.entry));
    EXPECT_TRUE(window->enabled(u"Speichern"));
    EXPECT_EQ(window->control(u"BuildingImage")->listPicture,
              window->treeNode(node(c.entry)).pictureIndex);
    EXPECT_FALSE(dirty());
    EXPECT_TRUE(platform.writtenFiles().size() == 1) << "showing wrote the file";
}

INSTANTIATE_TEST_SUITE_P(Entries, ShowEntry,
                         ::testing::Values(ShowCase{"Building",
                                                    u"Theater",
                                                    {{u"BaukostenEdit", u"50"},
                                                     {u"AttraktivitätEdit", u"2"},
                                                     {u"ReichweiteEdit", u"2"},
                                                     {u"ArbeiterEdit", u"8"},
                                                     {u"BaukostenBtn", u"50"},
                                                     {u"ArbeiterBtn", u"8"},
                                                     {u"SteuernEdit", u"0"},
                                                     {u"SteuernBtn", u"0"},
                                                     {u"BewohnerEdit", u"0"}},
                                                    {{u"Panel1", true},
                                                     {u"Panel2", false},
                                                     {u"ArbeiterEdit", true},
                                                     {u"SteuernEdit", false},
                                                     {u"BewohnerEdit", false},
                                                     {u"AktuellLabel3", false}},
                                                    Rect{174, 25, 50, 22}},
                                           ShowCase{"FirstHouseLevel",
                                                    u"Kleines Zelt",
                                                    {{u"SteuernEdit", u"3"},
                                                     {u"BewohnerEdit", u"5"},
                                                     {u"BaukostenEdit", u"10"},
                                                     {u"AttraktivitätEdit", u"-3"},
                                                     {u"ReichweiteEdit", u"3"},
                                                     {u"RückentwicklungEdit", u"-99"},
                                                     {u"WeiterentwicklungEdit", u"-10"},
                                                     {u"ArbeiterEdit", u"0"},
                                                     {u"ArbeiterBtn", u"0"},
                                                     {u"MarktzugangEdit", u"nein"},
                                                     {u"BarbierzugangEdit", u"nein"},
                                                     {u"BadehauszugangEdit", u"nein"},
                                                     {u"GeschirrzugangEdit", u"nein"},
                                                     {u"OlivenölzugangEdit", u"nein"},
                                                     {u"MöbelzugangEdit", u"nein"},
                                                     {u"MarktzugangBtn", u"nein"}},
                                                    {{u"Panel1", true},
                                                     {u"Panel2", true},
                                                     {u"AktuellLabel3", true},
                                                     {u"OriginalLabel3", true},
                                                     {u"BaukostenEdit", true},
                                                     {u"ArbeiterEdit", false}},
                                                    Rect{492, 25, 65, 22}},
                                           ShowCase{"UpperHouseLevel",
                                                    u"Grosse Casa",
                                                    {{u"BaukostenEdit", u"0"},
                                                     {u"BaukostenBtn", u"0"},
                                                     {u"MarktzugangEdit", u"ja"},
                                                     {u"BarbierzugangEdit", u"nein"},
                                                     {u"BadehauszugangEdit", u"ja"},
                                                     {u"GeschirrzugangEdit", u"ja"},
                                                     {u"OlivenölzugangEdit", u"nein"},
                                                     {u"MöbelzugangEdit", u"nein"},
                                                     {u"MarktzugangBtn", u"ja"},
                                                     {u"BarbierzugangBtn", u"nein"}},
                                                    {{u"Panel2", true},
                                                     {u"BaukostenEdit", false},
                                                     {u"AktuellLabel3", false},
                                                     {u"SteuernEdit", true}},
                                                    std::nullopt},
                                           // Above the spin maximum, shown as the file has it.
                                           ShowCase{"ValuesAboveTheSpinMaximum",
                                                    u"Luxus Palast",
                                                    {{u"SteuernEdit", u"1600"},
                                                     {u"BewohnerEdit", u"200"},
                                                     {u"WeiterentwicklungEdit", u"100"}},
                                                    {{u"Panel2", true}},
                                                    std::nullopt}),
                         [](const auto &info) { return std::string(info.param.name); });

struct NavigationCase
{
    const char *name;
    std::u16string_view node;
    bool entryState;
    std::u16string_view resetCaption;
};

class Navigation : public Editing, public ::testing::WithParamInterface<NavigationCase>
{
};

// Groups show the no-selection state; "Planieren" passes both tests and ends
// as an entry.
TEST_P(Navigation, GivesTheStateOfTheNode)
{
    const NavigationCase &c = GetParam();
    select(u"Theater");
    select(c.node);
    EXPECT_EQ(shown(u"Panel1"), c.entryState);
    EXPECT_EQ(shown(u"NoSelectImage"), !c.entryState);
    EXPECT_EQ(window->enabled(u"Speichern"), c.entryState);
    EXPECT_EQ(shown(u"SingleElementReset"), c.entryState);
    EXPECT_EQ(window->enabled(u"SingleElementReset"), c.entryState);
    EXPECT_EQ(text(u"SingleElementReset"), c.resetCaption);
    EXPECT_EQ(text(u"ObjektnameLabel"), c.node);
    EXPECT_EQ(window->control(u"BuildingImage")->listPicture,
              window->treeNode(node(c.node)).pictureIndex);
    EXPECT_TRUE(window->shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, Navigation,
    ::testing::Values(NavigationCase{"Planieren", u"Planieren", true, u"Reset : Planieren"},
                      NavigationCase{"Subgroup", u"Fort", false, u"Reset"},
                      NavigationCase{"TopLevelGroup", u"Industrie", false, u"Reset"},
                      NavigationCase{"House", u"Kleines Zelt", true, u"Reset : Kleines Zelt"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- tracking edits -----------------------------------------------------------------

TEST_F(Editing, MarkersCompareTextsNotNumbers)
{
    select(u"Theater");
    window->type(u"ArbeiterEdit", u"08");
    EXPECT_TRUE(shown(u"ArbeiterPng"));
    EXPECT_TRUE(dirty());
    window->type(u"ArbeiterEdit", u"8");
    EXPECT_FALSE(shown(u"ArbeiterPng"));
    EXPECT_TRUE(dirty()) << "typing the shipped value back keeps the entry edited";
}

// The keyboard gives the cost a sign and anything else; the other rows take
// digits only.
TEST_F(Editing, KeysGiveOnlyTheCostMoreThanDigits)
{
    select(u"Theater");
    for (const auto &[edit, result] :
         Texts{{u"ArbeiterEdit", u"42"}, {u"BaukostenEdit", u"-4a2"}}) {
        window->setText(edit, u"");
        window->click(edit);
        window->typeKeys(u"-4a2");
        EXPECT_EQ(text(edit), result) << ToUtf8(edit);
    }
}

// Rows a layout hides must leave no marker behind when the kind of entry changes.
TEST_F(Editing, SwitchingKindsLeavesNoStrayMarker)
{
    select(u"Theater");
    window->type(u"ArbeiterEdit", u"99");
    EXPECT_TRUE(shown(u"ArbeiterPng"));
    leaveFor(u"Grosses Zelt", AnswerNo);
    EXPECT_FALSE(shown(u"ArbeiterPng"));
    EXPECT_FALSE(shown(u"BewohnerPng"));
    window->type(u"SteuernEdit", u"999");
    EXPECT_TRUE(shown(u"SteuernPng"));
    leaveFor(u"Arzt", AnswerNo);
    EXPECT_FALSE(shown(u"SteuernEdit"));
    EXPECT_FALSE(shown(u"SteuernPng"));
    EXPECT_FALSE(shown(u"BaukostenPng"));
    const std::u16string before = text(u"ArbeiterEdit");
    window->step(u"ArbeiterUpD", 1);
    EXPECT_EQ(text(u"ArbeiterEdit"), Number(std::stoi(ToUtf8(before)) + 1));
}

TEST_F(Editing, StepMarksTheEntryEdited)
{
    select(u"Theater");
    window->step(u"BaukostenUpD", 1);
    EXPECT_EQ(text(u"BaukostenEdit"), u"60");
    EXPECT_TRUE(dirty());
    EXPECT_TRUE(shown(u"BaukostenPng"));
}

// The up-down's position survives from one entry to the next; a step that
// lands on that old position is no click, and must still mark the entry edited.
TEST_F(Editing, StepOntoTheLastPositionStillMarksEdited)
{
    select(u"Theater");
    window->step(u"ReichweiteUpD", 1); // 2 -> 3
    leaveFor(u"Amphitheater", AnswerNo);
    ASSERT_FALSE(dirty());
    window->type(u"ReichweiteEdit", u"2");
    main->editor().setDirty(false);
    window->step(u"ReichweiteUpD", 1); // 2 -> 3 again
    EXPECT_EQ(text(u"ReichweiteEdit"), u"3");
    EXPECT_TRUE(dirty());
}

// A button finds its edit by name without regard to A-Z case
// (WasserqualitätBtn -> WasserQualitätEdit); the clicked button has the focus.
TEST_F(Editing, ReferenceButtonsRestoreTheirOwnRow)
{
    select(u"Kleines Haus");
    type({{u"RückentwicklungEdit", u"77"},
          {u"WasserQualitätEdit", u"0"},
          {u"UnterhaltungsLevelEdit", u"55"},
          {u"MedizinischeVersorgungEdit", u"99"}});
    for (std::u16string_view button :
         {u"RückentwicklungBtn", u"WasserqualitätBtn", u"UnterhaltungslevelBtn"})
        window->click(button);
    EXPECT_EQ(text(u"RückentwicklungEdit"), text(u"RückentwicklungBtn"));
    EXPECT_EQ(text(u"WasserQualitätEdit"), u"2");
    EXPECT_EQ(text(u"UnterhaltungsLevelEdit"), u"0");
    EXPECT_EQ(text(u"MedizinischeVersorgungEdit"), u"99") << "the row last typed in";
    EXPECT_EQ(visibleMarkers(), 1);
}

TEST_F(Editing, ReferenceButtonOnAnUnchangedValueStillMarksEdited)
{
    select(u"Theater");
    window->click(u"ReichweiteBtn");
    EXPECT_EQ(text(u"ReichweiteEdit"), u"2");
    EXPECT_TRUE(dirty());
    EXPECT_EQ(visibleMarkers(), 0);
}

TEST_F(Editing, TogglesFlipAndComeBack)
{
    select(u"Grosse Casa");
    window->click(u"BarbierzugangEdit");
    EXPECT_TRUE(window->down(u"BarbierzugangEdit"));
    EXPECT_EQ(text(u"BarbierzugangEdit"), u"ja");
    EXPECT_TRUE(shown(u"BarbierzugangPng"));
    window->click(u"BarbierzugangBtn");
    EXPECT_FALSE(window->down(u"BarbierzugangEdit"));
    EXPECT_EQ(text(u"BarbierzugangEdit"), u"nein");
    EXPECT_FALSE(shown(u"BarbierzugangPng"));
    window->click(u"BarbierzugangEdit");
    window->click(u"BarbierzugangEdit");
    EXPECT_FALSE(window->down(u"BarbierzugangEdit"));
    EXPECT_FALSE(shown(u"BarbierzugangPng"));
    EXPECT_TRUE(dirty());
}

// --- Save ----------------------------------------------------------------------------

struct SaveCase
{
    const char *name;
    std::u16string_view entry;
    Texts typed;
    std::vector<std::u16string_view> toggles; // clicked after typing
    Lines written;
};

class Save : public Editing, public ::testing::WithParamInterface<SaveCase>
{
};

// Exactly the entry's lines change, each slot trimmed and the record ending in
// its two commas; any other line changed would break the game's reading.
TEST_P(Save, WritesTheEntrysLinesOnly)
{
    const SaveCase &c = GetParam();
    select(c.entry);
    type(c.typed);
    for (std::u16string_view toggle : c.toggles)
        window->click(toggle);
    save();
    EXPECT_TRUE(window->shown().empty()) << shownTexts().front();
    EXPECT_EQ(changedLines(), c.written);
    EXPECT_EQ(modelBytes().substr(modelBytes().size() - 2), "\r\n");
    EXPECT_FALSE(dirty());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, Save,
    ::testing::Values(
        SaveCase{"Building",
                 u"Theater",
                 {{u"BaukostenEdit", u" 60"}},
                 {},
                 {{32, "31,Theater,{,60,2,1,-1,2,8,0,0,},,,,"}}},
        SaveCase{"Unchanged", u"Strasse", {}, {}, {{6, "5,Strasse,{,4,0,0,0,0,0,0,0,},,,,"}}},
        SaveCase{"NegativeAndTabbed",
                 u"Arzt",
                 {{u"AttraktivitätEdit", u"-3"}, {u"ArbeiterEdit", u"\t7"}},
                 {},
                 {{47, "46,Arzt,{,30,-3,0,0,0,7,0,0,},,,,"}}},
        SaveCase{"FirstHouseLevelCostIntoTheCompanionLine",
                 u"Kleines Zelt",
                 {{u"BaukostenEdit", u"20"}},
                 {u"MarktzugangEdit"},
                 {{11, "10,H100,{,20,-3,1,1,3,0,0,0,},,,,"},
                  {132, "Kleines Zelt,{,-99,-10,0,0,0,0,1,0,0,0,0,0,0,0,0,3,25,5,5,1,,,3,,"}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Editing, AStoredHouseIsShownAgainFromItsLines)
{
    select(u"Kleines Zelt");
    window->type(u"BaukostenEdit", u" 20 ");
    window->click(u"MarktzugangEdit");
    save();
    EXPECT_EQ(text(u"BaukostenEdit"), u"20");
    EXPECT_TRUE(shown(u"BaukostenPng"));
    EXPECT_TRUE(shown(u"MarktzugangPng"));
    EXPECT_FALSE(dirty());
}

TEST_F(Editing, AStoredBuildingKeepsWhatItShows)
{
    select(u"Theater");
    window->type(u"BaukostenEdit", u" 60");
    save();
    EXPECT_EQ(text(u"BaukostenEdit"), u" 60");
    EXPECT_TRUE(shown(u"BaukostenPng"));
}

// The cost edit of an upper level is hidden and reads "0": taking it would
// make the level free to build.
TEST_F(Editing, UpperHouseLevelNeverTakesTheHiddenCost)
{
    select(u"Kleine Villa");
    window->type(u"BewohnerEdit", u"41");
    const std::string companion = installed[23];
    save();
    const Lines changed = changedLines();
    ASSERT_EQ(changed.size(), 2u);
    ASSERT_TRUE(changed.count(23) && changed.count(144));
    const auto fields = [](const std::string &line, int count) {
        std::size_t end = 0;
        for (int k = 0; k < count; ++k)
            end = line.find(',', end) + 1;
        return line.substr(0, end);
    };
    EXPECT_EQ(fields(changed.at(23), 4), fields(companion, 4));
    EXPECT_EQ(fields(changed.at(144), 21).substr(fields(changed.at(144), 20).size()), "41,");
}

// Anything but a whole number would shift or break the fields the game reads.
TEST_F(Editing, InvalidValuesAreRejectedBeforeAnythingIsStored)
{
    select(u"Theater");
    for (std::u16string_view value : {u"", u"1,5", u"abc", u"}", u"1 2", u"--1", u"-", u"  "}) {
        SCOPED_TRACE(ToUtf8(value));
        window->clearShown();
        window->type(u"BaukostenEdit", u"55");
        window->setText(u"ReichweiteEdit", value);
        save();
        EXPECT_EQ(shownTexts(), std::vector<std::string>{
                                    "Ungültiger Wert für wirksame Reichweite: \"" + ToUtf8(value) +
                                    "\"\rErlaubt ist nur eine ganze Zahl, zum Beispiel 12 oder "
                                    "-3. Es wurde nichts gespeichert."});
        EXPECT_EQ(window->shown().front().title, u"Fehler");
        EXPECT_EQ(window->shown().front().flags, BoxIconError);
        EXPECT_TRUE(changedLines().empty());
        EXPECT_TRUE(dirty());
        EXPECT_EQ(window->focusedControl(), u"ReichweiteEdit");
        EXPECT_EQ(main->store().CurrentBuilding.at(3), u"50") << "no slot changed";
    }
}

TEST_F(Editing, FailedWriteKeepsTheFileAndTheEditedState)
{
    select(u"Theater");
    window->type(u"BaukostenEdit", u"70");
    platform.failWrites("Kein Speicherplatz");
    save();
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Datei \"C:\\Spiele\\Z7\\z7_model.txt\" kann "
                                                     "nicht erstellt werden. Kein Speicherplatz."});
    EXPECT_EQ(window->shown().front().flags, BoxIconError);
    EXPECT_TRUE(changedLines().empty());
    EXPECT_TRUE(dirty());
}

TEST_F(Editing, EntryMissingFromAHandEditedFileShowsNoSelection)
{
    main->store().WorkingModel[32] = u"31,Theatre,{,50,2,1,-1,2,8,0,0,},,";
    select(u"Theater");
    EXPECT_EQ(shownTexts(), std::vector<std::string>{
                                "Der Eintrag \"Theater\" fehlt in der Modelldatei.\rDie "
                                "Modelldatei wurde von Hand verändert; mit \"Gesamtreset\" lässt "
                                "sie sich wiederherstellen."});
    EXPECT_FALSE(shown(u"Panel1"));
    EXPECT_TRUE(shown(u"NoSelectImage"));
    EXPECT_FALSE(window->enabled(u"Speichern"));
    save();
    EXPECT_TRUE(changedLines().empty());
}

// --- leaving an edited entry ------------------------------------------------------------

struct LeaveCase
{
    const char *name;
    int answer; // 0: the question left with Esc
    std::u16string_view next;
    bool nextIsEntry;
    Lines written;
};

class LeaveEdited : public Editing, public ::testing::WithParamInterface<LeaveCase>
{
};

// Only No throws the edits away: a player who leaves the question with Esc
// has not said so.
TEST_P(LeaveEdited, AsksAndStoresOrDiscards)
{
    const LeaveCase &c = GetParam();
    select(u"Theater");
    window->type(u"BaukostenEdit", u"61");
    if (c.answer)
        window->queueAnswer(c.answer);
    else
        window->queueEscape();
    select(c.next);
    EXPECT_EQ(shownTexts(),
              std::vector<std::string>{"Theater\rDie Einheit wurde bearbeitet. Speichern?"});
    EXPECT_EQ(window->shown().front().title, u"Sicherheitsabfrage");
    EXPECT_EQ(window->shown().front().flags, 36);
    EXPECT_EQ(changedLines(), c.written);
    EXPECT_FALSE(dirty());
    EXPECT_EQ(selectedCaption(), c.next);
    EXPECT_EQ(text(u"ObjektnameLabel"), c.next);
    EXPECT_EQ(shown(u"Panel1"), c.nextIsEntry);
    EXPECT_EQ(shown(u"NoSelectImage"), !c.nextIsEntry);
    window->clearShown();
    select(u"Theater");
    EXPECT_TRUE(window->shown().empty());
    EXPECT_EQ(text(u"BaukostenEdit"), c.written.empty() ? u"50" : u"61");
}

const Lines TheaterAt61{{32, "31,Theater,{,61,2,1,-1,2,8,0,0,},,,,"}};

INSTANTIATE_TEST_SUITE_P(
    Answers, LeaveEdited,
    ::testing::Values(LeaveCase{"YesStores", AnswerYes, u"Arzt", true, TheaterAt61},
                      LeaveCase{"NoDiscards", AnswerNo, u"Arzt", true, {}},
                      LeaveCase{"EscStores", 0, u"Arzt", true, TheaterAt61},
                      LeaveCase{"YesForAGroup", AnswerYes, u"Wasser", false, TheaterAt61},
                      LeaveCase{"NoForAGroup", AnswerNo, u"Wasser", false, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Editing, MovingWithoutEditsAsksNothing)
{
    for (std::u16string_view caption : {u"Theater", u"Arzt", u"Kleines Zelt", u"Fort"})
        select(caption);
    EXPECT_TRUE(window->shown().empty());
}

// Moving on would throw away what was typed: the tree goes back to the entry
// without running its handlers, and the panels keep every value.
TEST_F(Editing, InvalidValueKeepsTheUserOnTheEntryWhenLeaving)
{
    select(u"Kleines Haus");
    window->setText(u"SteuernEdit", u"1,3");
    window->type(u"BewohnerEdit", u"14");
    leaveFor(u"Grosses Haus", AnswerYes);
    ASSERT_EQ(window->shown().size(), 2u);
    EXPECT_EQ(selectedCaption(), u"Kleines Haus");
    EXPECT_EQ(text(u"SteuernEdit"), u"1,3");
    EXPECT_EQ(text(u"BewohnerEdit"), u"14");
    EXPECT_EQ(text(u"ObjektnameLabel"), u"Kleines Haus");
    EXPECT_TRUE(changedLines().empty());
    EXPECT_TRUE(dirty());
}

// --- the resets ----------------------------------------------------------------------------

TEST_F(Editing, ResettingAnEntryBringsBackTheShippedLine)
{
    select(u"Theater");
    window->type(u"BaukostenEdit", u"60");
    save();
    window->click(u"SingleElementReset");
    EXPECT_EQ(text(u"BaukostenEdit"), u"50");
    EXPECT_EQ(visibleMarkers(), 0);
    EXPECT_FALSE(dirty());
    EXPECT_EQ(changedLines(), (Lines{{32, "31,Theater,{,50,2,1,-1,2,8,0,0,},,,,"}}));
}

TEST_F(Editing, ResettingAHouseRestoresEverySlot)
{
    select(u"Kleine Villa");
    type({{u"BewohnerEdit", u"1"}, {u"AttraktivitätEdit", u"9"}});
    save();
    window->click(u"SingleElementReset");
    // The shipped line up to its 26th comma: the slots a store writes back.
    const std::u16string &shipped = main->store().ReferenceModel.at(144);
    std::size_t end = 0;
    for (int k = 0; k < 26; ++k)
        end = shipped.find(u',', end) + 1;
    EXPECT_EQ(main->store().WorkingModel.at(144), shipped.substr(0, end));
    EXPECT_EQ(visibleMarkers(), 0);
    EXPECT_EQ(text(u"BewohnerEdit"), text(u"BewohnerBtn"));
    EXPECT_EQ(text(u"AttraktivitätEdit"), text(u"AttraktivitätBtn"));
}

TEST_F(Editing, WholeResetWithCancelChangesNothing)
{
    select(u"Theater");
    window->type(u"BaukostenEdit", u"70");
    save();
    const std::string before = modelBytes();
    window->queueAnswer(AnswerCancel);
    window->click(u"CompleteReset");
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Die komplette Modelldatei zurücksetzen?"});
    EXPECT_EQ(window->shown().front().title, u"Sicherheitsabfrage");
    EXPECT_EQ(window->shown().front().flags, 289);
    EXPECT_EQ(modelBytes(), before);
    EXPECT_EQ(selectedCaption(), u"Theater");
    EXPECT_TRUE(shown(u"Panel1"));
}

TEST_F(Editing, WholeResetWithOkWritesTheShippedModel)
{
    select(u"Herrschaftliche Villa");
    window->type(u"SteuernEdit", u"1");
    window->queueAnswer(AnswerOk);
    window->click(u"CompleteReset");
    EXPECT_EQ(modelBytes(), shippedText(u"NewModell") + "\r\n");
    EXPECT_EQ(window->selectedNode(), -1);
    EXPECT_EQ(window->nodes().size(), 113u);
    EXPECT_FALSE(shown(u"Panel1"));
    EXPECT_FALSE(shown(u"Panel2"));
    EXPECT_TRUE(shown(u"NoSelectImage"));
    EXPECT_EQ(text(u"ObjektnameLabel"), u"");
    // Nothing is selected, so nothing may be stored or reset any more.
    EXPECT_FALSE(dirty());
    EXPECT_FALSE(window->enabled(u"Speichern"));
    EXPECT_FALSE(window->enabled(names::SingleElementReset));
    EXPECT_FALSE(shown(names::SingleElementReset));
    EXPECT_EQ(text(names::SingleElementReset), u"Reset");
    window->clearShown();
    select(u"Theater");
    EXPECT_TRUE(window->shown().empty());
}

TEST_F(Editing, QuitAsksNothingAndWritesNothing)
{
    select(u"Theater");
    window->type(u"BaukostenEdit", u"77");
    const std::string before = modelBytes();
    window->click(u"Beenden");
    EXPECT_TRUE(window->closed);
    EXPECT_TRUE(window->shown().empty());
    EXPECT_EQ(modelBytes(), before);
}

// --- another program writes the model file -----------------------------------------------

const std::string TheaterByHand = "31,Theater,{,77,2,1,-1,2,8,0,0,},,";

std::string changedQuestion(const std::string &entry)
{
    return "Die Modelldatei wurde seit dem letzten Lesen von einem anderen Programm "
           "geändert.\rSoll der Eintrag \"" +
           entry +
           "\" in die geänderte Datei übernommen werden? Alle anderen Änderungen in der Datei "
           "bleiben erhalten; hat das andere Programm auch \"" +
           entry +
           "\" geändert, gelten dafür die hier angezeigten Werte.\rMit \"Nein\" wird nichts "
           "gespeichert, Ihre Eingaben bleiben stehen.";
}

// Latin-1 bytes as UTF-8.
std::string utf8(const std::string &latin1)
{
    std::string out;
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

class OtherWriter : public Editing
{
protected:
    // What a text editor does behind the store's back: the file rewritten with
    // some lines changed, in UTF-8 with its mark when asked to.
    void editByHand(const Lines &lines, bool inUtf8 = false)
    {
        std::vector<std::string> now = modelLines();
        for (const auto &[index, line] : lines)
            now[std::size_t(index)] = line;
        std::string bytes;
        for (std::size_t i = 0; i < now.size(); ++i)
            bytes += (i ? "\r\n" : "") + now[i];
        platform.putFile(ModelFile, inUtf8 ? "\xEF\xBB\xBF" + utf8(bytes) : bytes);
    }
};

struct HandEditCase
{
    const char *name;
    std::u16string_view entry;
    Texts typed;
    Lines byHand;
    Lines stored; // the entry's lines as the store writes them
};

class HandEditBeforeStore : public OtherWriter, public ::testing::WithParamInterface<HandEditCase>
{
};

// Yes puts the entry into the changed file: the other program's lines stay.
TEST_P(HandEditBeforeStore, YesKeepsTheHandEditAndStoresTheEntry)
{
    const HandEditCase &c = GetParam();
    select(c.entry);
    type(c.typed);
    editByHand(c.byHand);
    save(AnswerYes);

    EXPECT_EQ(shownTexts(), std::vector{changedQuestion(ToUtf8(c.entry))});
    EXPECT_EQ(window->shown().front().title, u"Sicherheitsabfrage");
    EXPECT_EQ(window->shown().front().flags, BoxYesNo | BoxIconQuestion);
    Lines expected = c.stored;
    expected.insert(c.byHand.begin(), c.byHand.end());
    EXPECT_EQ(changedLines(), expected);
    EXPECT_FALSE(dirty());

    // The next store finds the file as it left it and asks nothing.
    window->clearShown();
    save();
    EXPECT_TRUE(window->shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, HandEditBeforeStore,
    ::testing::Values(
        HandEditCase{"Building",
                     u"Arzt",
                     {{u"BaukostenEdit", u"33"}},
                     {{32, TheaterByHand}},
                     {{47, "46,Arzt,{,33,0,0,0,0,5,0,0,},,,,"}}},
        HandEditCase{
            "FirstHouseLevel",
            u"Kleines Zelt",
            {{u"BaukostenEdit", u"20"}},
            {{32, TheaterByHand},
             {139, "Grosse Casa,{,14,20,10,2,1,1,1,0,1,0,1,1,0,0,0,2,17,45,99,2,,,19,,,,,,"}},
            {{11, "10,H100,{,20,-3,1,1,3,0,0,0,},,,,"},
             {132, "Kleines Zelt,{,-99,-10,0,0,0,0,0,0,0,0,0,0,0,0,0,3,25,5,5,1,,,3,,"}}},
        // The other program changed the entry itself: the values on screen win,
        // as the question says, and its other lines stay.
        HandEditCase{"SameEntry",
                     u"Theater",
                     {{u"ArbeiterEdit", u"9"}},
                     {{32, TheaterByHand}, {47, "46,Arzt,{,31,0,0,0,0,5,0,0,},,"}},
                     {{32, "31,Theater,{,50,2,1,-1,2,9,0,0,},,,,"}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(OtherWriter, TheChangedFileKeepsItsEncoding)
{
    select(u"Arzt");
    window->type(u"BaukostenEdit", u"33");
    editByHand({{32, TheaterByHand}}, true);
    std::string expected = modelBytes();
    const std::string arzt = "46,Arzt,{,30,0,0,0,0,5,0,0,},,";
    ASSERT_NE(expected.find(arzt), std::string::npos);
    expected.replace(expected.find(arzt), arzt.size(), "46,Arzt,{,33,0,0,0,0,5,0,0,},,,,");
    save(AnswerYes);
    EXPECT_EQ(modelBytes(), expected);
}

TEST_F(OtherWriter, NoWritesNothingAndKeepsTheUserOnTheEntry)
{
    select(u"Kleines Zelt");
    window->type(u"SteuernEdit", u"4");
    editByHand({{32, TheaterByHand}});
    const std::string byHand = modelBytes();
    const auto working = main->store().WorkingModel;
    save(AnswerNo);
    EXPECT_EQ(modelBytes(), byHand);
    EXPECT_TRUE(dirty());
    EXPECT_EQ(main->store().WorkingModel, working);

    // Leaving the entry offers the store again; No to the file question keeps
    // the user on the entry, as a rejected value does.
    window->queueAnswer(AnswerYes);
    leaveFor(u"Arzt", AnswerNo);
    EXPECT_EQ(selectedCaption(), u"Kleines Zelt");
    EXPECT_EQ(text(u"SteuernEdit"), u"4");
    EXPECT_TRUE(dirty());
    EXPECT_EQ(modelBytes(), byHand);
}

TEST_F(OtherWriter, AnEntryTheChangedFileLacksIsNotStored)
{
    select(u"Theater");
    window->type(u"BaukostenEdit", u"60");
    editByHand({{32, "31,Theatre,{,50,2,1,-1,2,8,0,0,},,"}});
    const std::string byHand = modelBytes();
    save(AnswerYes);
    ASSERT_EQ(window->shown().size(), 2u);
    EXPECT_EQ(shownTexts().at(1),
              "Der Eintrag \"Theater\" fehlt in der geänderten Modelldatei und wurde nicht "
              "gespeichert.\rIhre Eingaben bleiben stehen; mit \"Gesamtreset\" lässt sich die "
              "ausgelieferte Modelldatei wiederherstellen.");
    EXPECT_EQ(modelBytes(), byHand);
    EXPECT_TRUE(dirty());
}

TEST_F(OtherWriter, ADeletedFileIsWrittenAnewOnlyWhenAsked)
{
    select(u"Theater");
    window->type(u"BaukostenEdit", u"60");
    std::filesystem::remove(platform.hostPath(ModelFile));
    save(AnswerNo);
    EXPECT_EQ(shownTexts(),
              std::vector<std::string>{
                  "Die Modelldatei C:\\Spiele\\Z7\\z7_model.txt ist nicht mehr vorhanden; ein "
                  "anderes Programm hat sie gelöscht oder verschoben.\rSoll sie mit dem Eintrag "
                  "\"Theater\" und allen Werten, die Z7 Edit zuletzt gelesen oder gespeichert "
                  "hat, neu geschrieben werden?\rMit \"Nein\" wird nichts gespeichert, Ihre "
                  "Eingaben bleiben stehen."});
    EXPECT_FALSE(platform.fileContents(ModelFile));
    EXPECT_TRUE(dirty());
    save(AnswerYes);
    EXPECT_EQ(changedLines(), (Lines{{32, "31,Theater,{,60,2,1,-1,2,8,0,0,},,,,"}}));
}

// A write that failed left the old file: still the one the editor knows.
TEST_F(OtherWriter, AFailedWriteRaisesNoQuestionAfterwards)
{
    select(u"Theater");
    window->type(u"BaukostenEdit", u"60");
    platform.failNextWrite();
    save();
    ASSERT_EQ(window->shown().size(), 1u);
    window->clearShown();
    save();
    EXPECT_TRUE(window->shown().empty());
    EXPECT_EQ(changedLines(), (Lines{{32, "31,Theater,{,60,2,1,-1,2,8,0,0,},,,,"}}));
}

struct ResetNoteCase
{
    const char *name;
    bool deleted; // else changed by hand
    std::string note;
};

class WholeResetNote : public OtherWriter, public ::testing::WithParamInterface<ResetNoteCase>
{
};

// The question says what the reset will throw away or write anew.
TEST_P(WholeResetNote, NamesWhatHappenedToTheFile)
{
    const ResetNoteCase &c = GetParam();
    if (c.deleted)
        std::filesystem::remove(platform.hostPath(ModelFile));
    else
        editByHand({{32, TheaterByHand}});
    const std::optional<std::string> before = platform.fileContents(ModelFile);
    window->queueAnswer(AnswerCancel);
    window->click(u"CompleteReset");
    EXPECT_EQ(shownTexts(), std::vector{c.note + "\rDie komplette Modelldatei zurücksetzen?"});
    EXPECT_EQ(window->shown().front().flags, 289);
    EXPECT_EQ(platform.fileContents(ModelFile), before) << "Cancel changed the file";

    window->queueAnswer(AnswerOk);
    window->click(u"CompleteReset");
    EXPECT_EQ(modelBytes(), shippedText(u"NewModell") + "\r\n");

    // Written by the editor now: the plain question again.
    window->clearShown();
    window->queueAnswer(AnswerCancel);
    window->click(u"CompleteReset");
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Die komplette Modelldatei zurücksetzen?"});
}

INSTANTIATE_TEST_SUITE_P(
    Files, WholeResetNote,
    ::testing::Values(
        ResetNoteCase{"Changed", false,
                      "Die Modelldatei wurde seit dem letzten Lesen von einem anderen Programm "
                      "geändert; beim Zurücksetzen gehen auch diese Änderungen verloren."},
        ResetNoteCase{"Deleted", true,
                      "Die Modelldatei ist nicht mehr vorhanden; ein anderes Programm hat sie "
                      "gelöscht oder verschoben. Beim Zurücksetzen wird sie neu geschrieben."}),
    [](const auto &info) { return std::string(info.param.name); });

// --- what a value means ---------------------------------------------------------------------

// The edit (or toggle) and the reference button of a row carry the row's own
// tip, and no other control does; a tip on the wrong row would explain the
// wrong number.
TEST_F(Editing, EveryRowExplainsItsValueOnItsEditAndButton)
{
    const std::pair<int, std::u16string_view> meanings[] = {
        {rows::Wasserqualitaet, u"1 Ziehbrunnen, 2 Brunnen"},
        {rows::Religionszugang, u"4 alle Götter und das Orakel"},
        {rows::Ausbildungszugang, u"3 auch Akademie"},
        {rows::MedizinischeVersorgung, u"2 Arzt und Krankenhaus"},
        {rows::Lebensmittelqualitaet, u"Lebensmittel"},
        {rows::Weinqualitaet, u"2 zwei Sorten"},
        {rows::Unterhaltungslevel, u"Unterhaltung"},
        {rows::Baukosten, u"kostet"},
        {rows::Steuern, u"Steuern"},
        {rows::Arbeiter, u"Arbeiter"},
        {rows::Bewohner, u"wohnen"},
        {rows::Reichweite, u"Feldern"},
        {rows::Moebelzugang, u"Möbel"},
        {rows::Marktzugang, u"Markt"},
    };
    for (const auto &[row, meaning] : meanings) {
        const char16_t *tip = ValueRows[std::size_t(row)].tip;
        ASSERT_TRUE(tip);
        EXPECT_NE(std::u16string_view(tip).find(meaning), std::u16string_view::npos)
            << ToUtf8(ValueRows[std::size_t(row)].stem);
    }
    select(u"Kleines Zelt");
    for (const ValueRowDef &row : ValueRows) {
        for (const char16_t *name :
             {row.labelName, row.editName, row.updName, row.btnName, row.pngName}) {
            if (!*name)
                continue;
            const bool carries = name == row.editName || name == row.btnName;
            const char16_t *tip = window->control(name)->def.tip;
            EXPECT_EQ(tip ? std::u16string(tip) : u"", carries ? row.tip : u"") << ToUtf8(name);
        }
    }
}

// --- marks in the tree ---------------------------------------------------------------------

// Every node the tree shows in bold, in tree order.
std::vector<std::u16string> markedNodes(const FakeWindow &window)
{
    std::vector<std::u16string> marked;
    for (int i = 0; i < int(window.nodes().size()); ++i) {
        if (window.nodeMarked(i))
            marked.push_back(window.treeNode(i).caption);
    }
    return marked;
}

class Marks;

struct MarkCase
{
    const char *name;
    std::function<void(Marks &)> act;
    std::vector<std::u16string> marked; // with the groups above each entry
};

class Marks : public OtherWriter, public ::testing::WithParamInterface<MarkCase>
{
public:
    using OtherWriter::editByHand;
    void select(std::u16string_view caption) { LogicTest::select(caption); }
    void store(std::u16string_view caption, const Texts &typed)
    {
        select(caption);
        type(typed);
        save();
    }
    FakeWindow &win() { return *window; }
};

// An entry is marked exactly when showing it would show a marker, judged on
// what the model file holds: stored values mark, edits on screen do not, and
// a store of the shipped value or a reset takes the mark away again.
TEST_P(Marks, FollowTheModelFile)
{
    const MarkCase &c = GetParam();
    c.act(*this);
    EXPECT_EQ(markedNodes(*window), c.marked);
    // Showing each marked entry shows a marker, and an unmarked one none.
    window->queueAnswer(AnswerNo);
    for (const TreeNode &n : window->nodes()) {
        if (!IsEntry(n.recordCode))
            continue;
        window->clearShown();
        main->editor().setDirty(false);
        select(n.caption);
        const bool marked = window->nodeMarked(node(n.caption));
        EXPECT_EQ(visibleMarkers() > 0, marked) << ToUtf8(n.caption);
    }
}

using MarksList = std::vector<std::u16string>;

INSTANTIATE_TEST_SUITE_P(
    Changes, Marks,
    ::testing::Values(MarkCase{"FreshDefaultModel", [](Marks &) {}, {}},
                      MarkCase{"StoredBuilding",
                               [](Marks &t) {
                                   t.store(u"Theater", {{u"BaukostenEdit", u"60"}});
                               },
                               {u"Unterhaltung", u"Theater"}},
                      MarkCase{"EditNotStored",
                               [](Marks &t) {
                                   t.select(u"Theater");
                                   t.win().type(u"BaukostenEdit", u"60");
                               },
                               {}},
                      MarkCase{"ShippedValueStoredBack",
                               [](Marks &t) {
                                   t.store(u"Theater", {{u"BaukostenEdit", u"60"}});
                                   t.store(u"Theater", {{u"BaukostenEdit", u"50"}});
                               },
                               {}},
                      MarkCase{"TwoEntriesInTwoGroups",
                               [](Marks &t) {
                                   t.store(u"Kleiner Cerestempel", {{u"ArbeiterEdit", u"3"}});
                                   t.store(u"Weizenfarm", {{u"ReichweiteEdit", u"4"}});
                               },
                               {u"Religion", u"Kleiner Tempel", u"Kleiner Cerestempel",
                                u"Industrie", u"Farm", u"Weizenfarm"}},
                      MarkCase{"LeavingWithYes",
                               [](Marks &t) {
                                   t.select(u"Theater");
                                   t.win().type(u"ArbeiterEdit", u"9");
                                   t.win().queueAnswer(AnswerYes);
                                   t.select(u"Arzt");
                               },
                               {u"Unterhaltung", u"Theater"}},
                      MarkCase{"LeavingWithNo",
                               [](Marks &t) {
                                   t.select(u"Theater");
                                   t.win().type(u"ArbeiterEdit", u"9");
                                   t.win().queueAnswer(AnswerNo);
                                   t.select(u"Arzt");
                               },
                               {}},
                      MarkCase{"HouseLine",
                               [](Marks &t) {
                                   t.store(u"Grosse Casa", {{u"WasserQualitätEdit", u"1"}});
                               },
                               {u"Wohnungen", u"Grosse Casa"}},
                      MarkCase{"CompanionLineOnly",
                               [](Marks &t) {
                                   t.store(u"Grosse Casa", {{u"AttraktivitätEdit", u"9"}});
                               },
                               {u"Wohnungen", u"Grosse Casa"}},
                      MarkCase{"ToggleStored",
                               [](Marks &t) {
                                   t.select(u"Kleines Zelt");
                                   t.win().click(u"MöbelzugangEdit");
                                   t.win().click(u"Speichern");
                               },
                               {u"Wohnungen", u"Kleines Zelt"}},
                      MarkCase{"EntryReset",
                               [](Marks &t) {
                                   t.store(u"Theater", {{u"BaukostenEdit", u"60"}});
                                   t.store(u"Arzt", {{u"BaukostenEdit", u"31"}});
                                   t.win().click(u"SingleElementReset");
                               },
                               {u"Unterhaltung", u"Theater"}},
                      MarkCase{"WholeReset",
                               [](Marks &t) {
                                   t.store(u"Theater", {{u"BaukostenEdit", u"60"}});
                                   t.store(u"Grosse Casa", {{u"SteuernEdit", u"20"}});
                                   t.win().queueAnswer(AnswerOk);
                                   t.win().click(u"CompleteReset");
                               },
                               {}},
                      MarkCase{"WholeResetCancelled",
                               [](Marks &t) {
                                   t.store(u"Theater", {{u"BaukostenEdit", u"60"}});
                                   t.win().queueAnswer(AnswerCancel);
                                   t.win().click(u"CompleteReset");
                               },
                               {u"Unterhaltung", u"Theater"}},
                      // Read again because another program changed it: its changes mark
                      // as the marker rule sees them, " 50" against "50" included, a
                      // changed slot that no row shows not.
                      MarkCase{"FileReadAgain",
                               [](Marks &t) {
                                   t.select(u"Arzt");
                                   t.win().type(u"BaukostenEdit", u"33");
                                   t.editByHand(
                                       {{32, "31,Theater,{, 50,2,1,-1,2,8,0,0,},,"},
                                        {48, "47,Krankenhaus,{,300,-1,9,-1,2,30,0,0,},,"}});
                                   t.win().queueAnswer(AnswerYes);
                                   t.win().click(u"Speichern");
                               },
                               {u"Gesundheit", u"Arzt", u"Unterhaltung", u"Theater"}},
                      MarkCase{"FileReadAgainButNotStored",
                               [](Marks &t) {
                                   t.select(u"Theater");
                                   t.win().type(u"BaukostenEdit", u"60");
                                   t.editByHand({{32, "31,Theatre,{,50,2,1,-1,2,8,0,0,},,"},
                                                 {47, "46,Arzt,{,30,0,0,0,0,6,0,0,},,"}});
                                   t.win().queueAnswer(AnswerYes);
                                   t.win().click(u"Speichern");
                               },
                               {u"Gesundheit", u"Arzt"}}),
    [](const auto &info) { return std::string(info.param.name); });

struct StartMarkCase
{
    const char *name;
    Lines byHand; // lines of the default model changed before the start
    MarksList marked;
};

class MarksAtStart : public LogicTest, public ::testing::WithParamInterface<StartMarkCase>
{
};

// The model file as the start finds it, edited by hand: only what a row shows
// marks, the toggles by their yes or no, a house level by its own line and
// its companion line.
TEST_P(MarksAtStart, FollowWhatTheRowsShow)
{
    const StartMarkCase &c = GetParam();
    std::string bytes = shippedText(u"DE_Modell");
    std::vector<std::string> lines;
    for (std::size_t begin = 0;;) {
        const std::size_t end = bytes.find("\r\n", begin);
        lines.push_back(bytes.substr(begin, end - begin));
        if (end == std::string::npos)
            break;
        begin = end + 2;
    }
    for (const auto &[index, line] : c.byHand)
        lines.at(std::size_t(index)) = line;
    bytes.clear();
    for (const std::string &line : lines)
        bytes += line + "\r\n";
    platform.putFile(BackupFile, "game's own");
    platform.putFile(ModelFile, bytes);
    start();
    ASSERT_TRUE(window->shown().empty()) << shownTexts().front();
    EXPECT_EQ(markedNodes(*window), c.marked);
}

INSTANTIATE_TEST_SUITE_P(
    HandEdits, MarksAtStart,
    ::testing::Values(
        StartMarkCase{"Unchanged", {}, {}},
        StartMarkCase{"SpacesAroundAValue",
                      {{32, "31,Theater,{, 50,2,1,-1,2,8,0,0,},,"}},
                      {u"Unterhaltung", u"Theater"}},
        StartMarkCase{"SlotNoRowShows", {{32, "31,Theater,{,50,2,3,-1,2,8,0,0,},,"}}, {}},
        StartMarkCase{
            "ToggleStillYes",
            {{139, "Grosse Casa,{,14,20,10,2,1,1,7,0,1,0,1,1,0,0,0,2,17,45,19,2,,,19,,,,,,"}},
            {}},
        StartMarkCase{
            "ToggleTurnedNo",
            {{139, "Grosse Casa,{,14,20,10,2,1,1,0,0,1,0,1,1,0,0,0,2,17,45,19,2,,,19,,,,,,"}},
            {u"Wohnungen", u"Grosse Casa"}},
        StartMarkCase{"CompanionOfTheFirstLevelCost",
                      {{11, "10,H100,{,12,-3,1,1,3,0,0,0,},,"}},
                      {u"Wohnungen", u"Kleines Zelt"}},
        // The upper levels neither show nor store their companion's cost.
        StartMarkCase{"CompanionCostOfAnUpperLevel", {{26, "25,H250,{,9,2,1,-1,2,0,0,0,},,"}}, {}},
        StartMarkCase{"CompanionRange",
                      {{26, "25,H250,{,0,2,1,-1,3,0,0,0,},,"}},
                      {u"Wohnungen", u"Herrschaftliche Villa"}}),
    [](const auto &info) { return std::string(info.param.name); });

// --- a show that failed -------------------------------------------------------------------

const std::string IndexError = "Listenindex außerhalb des gültigen Bereichs (152)";

// Two lines added at the top shift every line of the model file: the last house
// levels then lie beyond the shipped model, and showing "Grosser Palast" fails
// after "Mittlerer Palast" has filled the panels and the slot arrays.
class FailedShow : public LogicTest
{
protected:
    void SetUp() override
    {
        LogicTest::SetUp();
        platform.putFile(BackupFile, "game's own");
        platform.putFile(ModelFile, "; eigene Notizen\r\n; noch eine\r\n" +
                                        shippedText(u"DE_Modell") + "\r\n");
        start();
        ASSERT_EQ(window->shown().size(), 1u) << "the layout warning";
        window->clearShown();
        select(u"Mittlerer Palast");
        ASSERT_TRUE(window->shown().empty()) << shownTexts().front();
    }

    // Moves on to "Grosser Palast", whose show fails; the file and the working
    // model as they are then must stay so.
    void failShow()
    {
        select(u"Grosser Palast");
        ASSERT_FALSE(shownTexts().empty());
        ASSERT_EQ(shownTexts().back(), IndexError);
        window->clearShown();
        before = modelBytes();
        lines = modelLines();
        working = main->store().WorkingModel;
        writes = platform.writeCount();
    }

    // The file's lines that differ from what it held after the failed show.
    Lines changedLines() const
    {
        Lines changed;
        const std::vector<std::string> now = modelLines();
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (i >= lines.size() || now[i] != lines[i])
                changed.emplace(int(i), now[i]);
        }
        return changed;
    }
    void leaveForTheater();
    void expectNothingWritten() const
    {
        EXPECT_EQ(changedLines(), Lines{});
        EXPECT_TRUE(modelBytes() == before) << "the file is not byte-identical";
        EXPECT_EQ(platform.writeCount(), writes);
        EXPECT_TRUE(main->store().WorkingModel == working) << "the working model changed";
    }

    std::string before;
    std::vector<std::string> lines;
    z7::Lines working;
    int writes = 0;
};

// The shifted lines pair with the wrong shipped ones: nearly every entry
// shows markers and is marked, those whose lines cannot be read are not, and
// the start goes on.
TEST_F(FailedShow, MarksOnlyWhatCanBeShown)
{
    EXPECT_TRUE(window->nodeMarked(node(u"Theater")));
    EXPECT_TRUE(window->nodeMarked(node(u"Mittlerer Palast")));
    EXPECT_FALSE(window->nodeMarked(node(u"Grosser Palast")));
    EXPECT_FALSE(window->nodeMarked(node(u"Luxus Palast")));
    EXPECT_TRUE(window->nodeMarked(node(u"Wohnungen")));
}

// No value of another entry stands under the failed entry's header.
TEST_F(FailedShow, LeavesTheNoSelectionState)
{
    failShow();
    EXPECT_FALSE(shown(names::Panel1));
    EXPECT_FALSE(shown(names::Panel2));
    EXPECT_TRUE(shown(names::NoSelectImage));
    EXPECT_EQ(text(names::ObjektnameLabel), u"Grosser Palast");
    EXPECT_FALSE(window->enabled(names::Speichern));
    EXPECT_FALSE(window->enabled(names::SingleElementReset));
    EXPECT_FALSE(shown(names::SingleElementReset));
    EXPECT_EQ(text(names::SingleElementReset), u"Reset");
    EXPECT_FALSE(main->editor().IsDirty());
}

// Going back finds the entry before it whole: shown, stored into its own lines.
TEST_F(FailedShow, TheEntryBeforeItStillStores)
{
    failShow();
    select(u"Mittlerer Palast");
    window->type(ValueRows[rows::Steuern].editName, u"700");
    window->click(names::Speichern);
    EXPECT_TRUE(window->shown().empty()) << shownTexts().front();
    EXPECT_EQ(changedLines(),
              (Lines{{30, "27,H270,{,0,3,2,-1,4,0,0,0,},,,,"},
                     {151, "Mittlerer Palast,{,70,80,60,2,4,3,1,1,1,2,3,1,1,1,2,1,5,900,112,12,,,"
                           "700,,"}}));
}

struct FailedShowCase
{
    const char *name;
    std::function<void(FakeWindow &, TMain &)> act;
    friend void PrintTo(const FailedShowCase &c, std::ostream *os) { *os << c.name; }
};

class FailedShowCommand : public FailedShow, public ::testing::WithParamInterface<FailedShowCase>
{
};

// The slot arrays still hold "Mittlerer Palast": whatever reaches the entry
// commands must not write them over the lines of "Grosser Palast".
TEST_P(FailedShowCommand, WritesNothing)
{
    failShow();
    GetParam().act(*window, *main);
    EXPECT_TRUE(window->shown().empty()) << shownTexts().front();
    expectNothingWritten();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FailedShowCommand,
    ::testing::Values(
        FailedShowCase{"SaveButton", [](FakeWindow &w, TMain &) { w.click(names::Speichern); }},
        // As a skin that lets the click through would deliver it.
        FailedShowCase{"SaveHandler",
                       [](FakeWindow &w, TMain &m) { Guarded(w, [&] { m.SpeichernClick(); }); }},
        FailedShowCase{
            "ResetHandler",
            [](FakeWindow &w, TMain &m) { Guarded(w, [&] { m.SingleElementResetClick(); }); }},
        FailedShowCase{"StoreOnTheEditor",
                       [](FakeWindow &w, TMain &m) {
                           Guarded(w, [&] { m.editor().StoreEntry(u"Grosser Palast", 280); });
                       }}),
    [](const auto &info) { return std::string(info.param.name); });

// Leaving the failed entry as edited stores nothing into its lines, whatever
// the answer to an offer to store.
void FailedShow::leaveForTheater()
{
    window->clearShown();
    window->queueAnswer(AnswerYes);
    select(u"Theater");
    expectNothingWritten();
    EXPECT_EQ(selectedCaption(), u"Theater");
    EXPECT_TRUE(shown(names::Panel1));
    EXPECT_FALSE(main->editor().IsDirty());
}

// The store offered on leaving "Mittlerer Palast" fails to write: the
// selection moves on with IsDirty set and the edits still in the panels.
TEST_F(FailedShow, LeavingItAfterAFailedWriteStoresNothing)
{
    window->type(ValueRows[rows::Steuern].editName, u"2000");
    platform.failNextWrite();
    window->queueAnswer(AnswerYes);
    failShow();
    leaveForTheater();
}

TEST_F(FailedShow, LeavingItMarkedEditedStoresNothing)
{
    failShow();
    main->editor().setDirty(true);
    leaveForTheater();
}

} // namespace
} // namespace z7::test
