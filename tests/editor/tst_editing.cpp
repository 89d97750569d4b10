// The value panels driven as a user would: selecting entries, typing,
// spin boxes, toggles, reference buttons, Save and the resets, checked in the
// controls and in the model file's bytes.

#include "tests/editor/editing_fixture.h"

#include <QApplication>

namespace z7::test {
namespace {

TEST_F(Editing, BuildingShowsItsFourValues)
{
    select(QStringLiteral("Theater"));
    EXPECT_EQ(text("BaukostenEdit"), QStringLiteral("50"));
    EXPECT_EQ(text("AttraktivitätEdit"), QStringLiteral("2"));
    EXPECT_EQ(text("ReichweiteEdit"), QStringLiteral("2"));
    EXPECT_EQ(text("ArbeiterEdit"), QStringLiteral("8"));
    EXPECT_EQ(refButton("BaukostenBtn")->text(), QStringLiteral("50"));
    EXPECT_EQ(refButton("ArbeiterBtn")->text(), QStringLiteral("8"));
    EXPECT_TRUE(control("Panel2")->isHidden());
    EXPECT_FALSE(control("Panel1")->isHidden());
    EXPECT_TRUE(control("NoSelectImage")->isHidden());
    EXPECT_EQ(edit("BaukostenEdit")->geometry(), QRect(174, 25, 50, 22));
    EXPECT_EQ(visibleMarkers(), 0);
    EXPECT_EQ(control<QLabel>("ObjektnameLabel")->text(), QStringLiteral("Theater"));
    EXPECT_EQ(control<QAbstractButton>("SingleElementReset")->text(), QStringLiteral("Reset : Theater"));
    EXPECT_TRUE(control("Speichern")->isEnabled());
    EXPECT_FALSE(window->editor().IsDirty());
}

TEST_F(Editing, FirstHouseLevelShowsItsCostInTheRightColumn)
{
    select(QStringLiteral("Kleines Zelt"));
    EXPECT_EQ(text("SteuernEdit"), QStringLiteral("3"));
    EXPECT_EQ(text("BewohnerEdit"), QStringLiteral("5"));
    EXPECT_EQ(text("BaukostenEdit"), QStringLiteral("10"));
    EXPECT_EQ(edit("BaukostenEdit")->geometry(), QRect(492, 25, 65, 22));
    EXPECT_EQ(text("AttraktivitätEdit"), QStringLiteral("-3"));
    EXPECT_EQ(text("ReichweiteEdit"), QStringLiteral("3"));
    EXPECT_EQ(text("RückentwicklungEdit"), QStringLiteral("-99"));
    EXPECT_EQ(text("WeiterentwicklungEdit"), QStringLiteral("-10"));
    EXPECT_FALSE(control("AktuellLabel3")->isHidden());
    EXPECT_TRUE(edit("ArbeiterEdit")->isHidden());
    for (const char *t : {"MarktzugangEdit", "BarbierzugangEdit", "BadehauszugangEdit",
                          "GeschirrzugangEdit", "OlivenölzugangEdit", "MöbelzugangEdit"}) {
        EXPECT_FALSE(toggle(t)->isDown()) << t;
        EXPECT_EQ(toggle(t)->text(), QStringLiteral("nein")) << t;
    }
    EXPECT_EQ(visibleMarkers(), 0);
}

TEST_F(Editing, UpperHouseLevelTogglesFollowTheirSlots)
{
    select(QStringLiteral("Grosse Casa"));
    EXPECT_TRUE(edit("BaukostenEdit")->isHidden());
    EXPECT_TRUE(control("AktuellLabel3")->isHidden());
    EXPECT_EQ(text("BaukostenEdit"), QStringLiteral("0"));
    const std::pair<const char *, bool> expected[] = {
        {"MarktzugangEdit", true},     {"BarbierzugangEdit", false},  {"BadehauszugangEdit", true},
        {"GeschirrzugangEdit", true}, {"OlivenölzugangEdit", false}, {"MöbelzugangEdit", false}};
    for (auto [name, down] : expected) {
        EXPECT_EQ(toggle(name)->isDown(), down) << name;
        EXPECT_EQ(toggle(name)->text(), down ? QStringLiteral("ja") : QStringLiteral("nein")) << name;
    }
}

TEST_F(Editing, ValueAboveTheSpinMaximumIsShownUnchanged)
{
    select(QStringLiteral("Luxus Palast"));
    EXPECT_EQ(text("SteuernEdit"), QStringLiteral("1600"));
    EXPECT_EQ(text("BewohnerEdit"), QStringLiteral("200"));
    EXPECT_EQ(text("WeiterentwicklungEdit"), QStringLiteral("100"));
    EXPECT_EQ(visibleMarkers(), 0);
}

TEST_F(Editing, MarkersCompareTextsNotNumbers)
{
    select(QStringLiteral("Theater"));
    type("ArbeiterEdit", QStringLiteral("08"));
    EXPECT_TRUE(markerShown("ArbeiterPng"));
    EXPECT_TRUE(window->editor().IsDirty());
    type("ArbeiterEdit", QStringLiteral("8"));
    EXPECT_FALSE(markerShown("ArbeiterPng"));
    EXPECT_TRUE(window->editor().IsDirty()) << "typing the shipped value back keeps the entry edited";
}

TEST_F(Editing, DigitsOnlyExceptTheCost)
{
    select(QStringLiteral("Theater"));
    type("ArbeiterEdit", QStringLiteral("-4a2"));
    EXPECT_EQ(text("ArbeiterEdit"), QStringLiteral("42"));
    type("BaukostenEdit", QStringLiteral("-4"));
    EXPECT_EQ(text("BaukostenEdit"), QStringLiteral("-4"));
}

// Rows a layout hides must leave no marker behind when the kind of entry changes.
TEST_F(Editing, SwitchingKindsLeavesNoStrayMarker)
{
    select(QStringLiteral("Theater"));
    type("ArbeiterEdit", QStringLiteral("99"));
    EXPECT_TRUE(markerShown("ArbeiterPng"));
    MessageBoxSeam::queueAnswer(IDNO);
    select(QStringLiteral("Grosses Zelt"));
    EXPECT_FALSE(markerShown("ArbeiterPng"));
    EXPECT_FALSE(markerShown("BewohnerPng"));
    type("SteuernEdit", QStringLiteral("999"));
    EXPECT_TRUE(markerShown("SteuernPng"));
    MessageBoxSeam::queueAnswer(IDNO);
    select(QStringLiteral("Arzt"));
    EXPECT_TRUE(edit("SteuernEdit")->isHidden());
    EXPECT_FALSE(markerShown("SteuernPng"));
    EXPECT_FALSE(markerShown("BaukostenPng"));
    // The spin box beside the workers steps the workers again.
    const QString before = text("ArbeiterEdit");
    edit("ArbeiterEdit")->setFocus();
    QTest::keyClick(edit("ArbeiterEdit"), Qt::Key_Up);
    EXPECT_EQ(text("ArbeiterEdit").toInt(), before.toInt() + 1);
}

TEST_F(Editing, SpinBoxStepsAndMarksTheEntryEdited)
{
    select(QStringLiteral("Theater"));
    edit("BaukostenEdit")->setFocus();
    QTest::keyClick(edit("BaukostenEdit"), Qt::Key_Up);
    EXPECT_EQ(text("BaukostenEdit"), QStringLiteral("60"));
    EXPECT_TRUE(window->editor().IsDirty());
    EXPECT_TRUE(markerShown("BaukostenPng"));
}

// The spin control's position survives from one entry to the next; a step that
// lands on that old position must still mark the entry edited.
TEST_F(Editing, SpinStepOntoTheLastPositionStillMarksEdited)
{
    select(QStringLiteral("Theater"));
    edit("ReichweiteEdit")->setFocus();
    QTest::keyClick(edit("ReichweiteEdit"), Qt::Key_Up); // 2 -> 3
    MessageBoxSeam::queueAnswer(IDNO);
    select(QStringLiteral("Amphitheater"));
    ASSERT_FALSE(window->editor().IsDirty());
    type("ReichweiteEdit", QStringLiteral("2"));
    window->editor().setDirty(false);
    QTest::keyClick(edit("ReichweiteEdit"), Qt::Key_Up); // 2 -> 3 again
    EXPECT_EQ(text("ReichweiteEdit"), QStringLiteral("3"));
    EXPECT_TRUE(window->editor().IsDirty());
}

TEST_F(Editing, ReferenceButtonsFindTheirEditsByName)
{
    select(QStringLiteral("Kleines Haus"));
    type("RückentwicklungEdit", QStringLiteral("77"));
    type("WasserQualitätEdit", QStringLiteral("0"));
    type("UnterhaltungsLevelEdit", QStringLiteral("55"));
    click(refButton("RückentwicklungBtn"));
    click(refButton("WasserqualitätBtn"));
    click(refButton("UnterhaltungslevelBtn"));
    EXPECT_EQ(text("RückentwicklungEdit"), refButton("RückentwicklungBtn")->text());
    EXPECT_EQ(text("WasserQualitätEdit"), QStringLiteral("2"));
    EXPECT_EQ(text("UnterhaltungsLevelEdit"), QStringLiteral("0"));
    EXPECT_EQ(visibleMarkers(), 0);
}

TEST_F(Editing, ReferenceButtonOnAnUnchangedValueStillMarksEdited)
{
    select(QStringLiteral("Theater"));
    click(refButton("ReichweiteBtn"));
    EXPECT_EQ(text("ReichweiteEdit"), QStringLiteral("2"));
    EXPECT_TRUE(window->editor().IsDirty());
    EXPECT_EQ(visibleMarkers(), 0);
}

TEST_F(Editing, TogglesFlipAndComeBack)
{
    select(QStringLiteral("Grosse Casa"));
    SpeedButton *barber = toggle("BarbierzugangEdit");
    click(barber);
    EXPECT_TRUE(barber->isDown());
    EXPECT_EQ(barber->text(), QStringLiteral("ja"));
    EXPECT_TRUE(markerShown("BarbierzugangPng"));
    click(refButton("BarbierzugangBtn"));
    EXPECT_FALSE(barber->isDown());
    EXPECT_EQ(barber->text(), QStringLiteral("nein"));
    EXPECT_FALSE(markerShown("BarbierzugangPng"));
    click(barber);
    click(barber);
    EXPECT_FALSE(barber->isDown());
    EXPECT_FALSE(markerShown("BarbierzugangPng"));
    EXPECT_TRUE(window->editor().IsDirty());
}

TEST_F(Editing, SavingABuildingWritesItsLineOnly)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral(" 60"));
    click(control("Speichern"));
    const QMap<int, QString> expected{{32, QStringLiteral("31,Theater,{,60,2,1,-1,2,8,0,0,},,,,")}};
    EXPECT_EQ(changedLines(), expected);
    EXPECT_FALSE(window->editor().IsDirty());
    EXPECT_TRUE(markerShown("BaukostenPng")) << "a building is not shown again after a store";
    EXPECT_EQ(modelBytes().substr(modelBytes().size() - 2), "\r\n");
}

TEST_F(Editing, SavingUnchangedStrasseOnlyAddsTheTwoCommas)
{
    select(QStringLiteral("Strasse"));
    click(control("Speichern"));
    const QMap<int, QString> expected{{6, QStringLiteral("5,Strasse,{,4,0,0,0,0,0,0,0,},,,,")}};
    EXPECT_EQ(changedLines(), expected);
}

TEST_F(Editing, SavingTheFirstHouseLevelWritesItsCostIntoTheCompanionLine)
{
    select(QStringLiteral("Kleines Zelt"));
    type("BaukostenEdit", QStringLiteral("20"));
    click(toggle("MarktzugangEdit"));
    click(control("Speichern"));
    const QMap<int, QString> expected{
        {11, QStringLiteral("10,H100,{,20,-3,1,1,3,0,0,0,},,,,")},
        {132, QStringLiteral("Kleines Zelt,{,-99,-10,0,0,0,0,1,0,0,0,0,0,0,0,0,3,25,5,5,1,,,3,,")}};
    EXPECT_EQ(changedLines(), expected);
    // The house is shown again from the stored lines.
    EXPECT_EQ(text("BaukostenEdit"), QStringLiteral("20"));
    EXPECT_TRUE(markerShown("BaukostenPng"));
    EXPECT_TRUE(markerShown("MarktzugangPng"));
    EXPECT_FALSE(window->editor().IsDirty());
}

TEST_F(Editing, UpperHouseLevelNeverTakesTheHiddenCost)
{
    select(QStringLiteral("Kleine Villa"));
    type("BewohnerEdit", QStringLiteral("41"));
    click(control("Speichern"));
    const QMap<int, QString> changed = changedLines();
    ASSERT_EQ(changed.keys(), (QList<int>{23, 144}));
    EXPECT_TRUE(changed.value(23).startsWith(shipped.at(23).section(u',', 0, 3) + u','));
    EXPECT_EQ(changed.value(144).section(u',', 20, 20), QStringLiteral("41"));
}

TEST_F(Editing, ResettingAnEntryBringsBackTheShippedLine)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("60"));
    click(control("Speichern"));
    click(control("SingleElementReset"));
    EXPECT_EQ(text("BaukostenEdit"), QStringLiteral("50"));
    EXPECT_EQ(visibleMarkers(), 0);
    const QMap<int, QString> expected{{32, QStringLiteral("31,Theater,{,50,2,1,-1,2,8,0,0,},,,,")}};
    EXPECT_EQ(changedLines(), expected);
}

TEST_F(Editing, ResettingAHouseRestoresEverySlot)
{
    select(QStringLiteral("Kleine Villa"));
    type("BewohnerEdit", QStringLiteral("1"));
    type("AttraktivitätEdit", QStringLiteral("9"));
    click(control("Speichern"));
    click(control("SingleElementReset"));
    // The shipped line up to its 26th comma: the slots a store writes back.
    const std::u16string &shipped = window->store().ReferenceModel.at(144);
    std::size_t end = 0;
    for (int k = 0; k < 26; ++k)
        end = shipped.find(u',', end) + 1;
    EXPECT_EQ(window->store().WorkingModel.at(144), shipped.substr(0, end));
    EXPECT_EQ(visibleMarkers(), 0);
    EXPECT_EQ(text("BewohnerEdit"), refButton("BewohnerBtn")->text());
}

TEST_F(Editing, PlanierenRunsTheGroupAndTheEntryStep)
{
    select(QStringLiteral("Planieren"));
    EXPECT_FALSE(control("Panel1")->isHidden());
    EXPECT_TRUE(control("NoSelectImage")->isHidden());
    EXPECT_EQ(control<QLabel>("ObjektnameLabel")->text(), QStringLiteral("Planieren"));
    EXPECT_EQ(control<QAbstractButton>("SingleElementReset")->text(), QStringLiteral("Reset : Planieren"));
    EXPECT_TRUE(control("Speichern")->isEnabled());
}

TEST_F(Editing, SubgroupShowsTheNoSelectionState)
{
    select(QStringLiteral("Theater"));
    select(QStringLiteral("Fort"));
    EXPECT_TRUE(control("Panel1")->isHidden());
    EXPECT_FALSE(control("NoSelectImage")->isHidden());
    EXPECT_FALSE(control("Speichern")->isEnabled());
    EXPECT_TRUE(control("SingleElementReset")->isHidden());
    EXPECT_EQ(control<QAbstractButton>("SingleElementReset")->text(), QStringLiteral("Reset"));
    EXPECT_EQ(control<QLabel>("ObjektnameLabel")->text(), QStringLiteral("Fort"));
}

TEST_F(Editing, LeavingAnEditedEntryWithYesStoresIt)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("61"));
    MessageBoxSeam::queueAnswer(IDYES);
    select(QStringLiteral("Arzt"));
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::shown().first().text,
              QStringLiteral("Theater\rDie Einheit wurde bearbeitet. Speichern?"));
    EXPECT_EQ(MessageBoxSeam::shown().first().title, QStringLiteral("Sicherheitsabfrage"));
    EXPECT_EQ(MessageBoxSeam::shown().first().flags, 36);
    EXPECT_EQ(changedLines().value(32), QStringLiteral("31,Theater,{,61,2,1,-1,2,8,0,0,},,,,"));
    EXPECT_EQ(control<QLabel>("ObjektnameLabel")->text(), QStringLiteral("Arzt"));
    EXPECT_FALSE(window->editor().IsDirty());
}

TEST_F(Editing, LeavingAnEditedEntryWithNoDiscardsIt)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("61"));
    MessageBoxSeam::queueAnswer(IDNO);
    select(QStringLiteral("Wasser"));
    EXPECT_TRUE(changedLines().isEmpty());
    EXPECT_FALSE(window->editor().IsDirty());
    EXPECT_FALSE(control("NoSelectImage")->isHidden());
    select(QStringLiteral("Theater"));
    EXPECT_EQ(text("BaukostenEdit"), QStringLiteral("50"));
}

TEST_F(Editing, MovingWithoutEditsAsksNothing)
{
    select(QStringLiteral("Theater"));
    select(QStringLiteral("Arzt"));
    select(QStringLiteral("Kleines Zelt"));
    EXPECT_TRUE(MessageBoxSeam::shown().isEmpty());
}

TEST_F(Editing, ArrowKeysRunTheSameHandlers)
{
    select(QStringLiteral("Amphitheater"));
    QTest::keyClick(tree(), Qt::Key_Down);
    EXPECT_EQ(control<QLabel>("ObjektnameLabel")->text(), QStringLiteral("Theater"));
    EXPECT_EQ(text("BaukostenEdit"), QStringLiteral("50"));
}

// Anything but a whole number would shift or break the fields the game reads.
TEST_F(Editing, InvalidValuesAreRejectedBeforeAnythingIsStored)
{
    const QString bad[] = {QStringLiteral(""), QStringLiteral("1,5"), QStringLiteral("abc"),
                           QStringLiteral("}"), QStringLiteral("1 2"), QStringLiteral("--1")};
    select(QStringLiteral("Theater"));
    for (const QString &value : bad) {
        MessageBoxSeam::clear();
        type("BaukostenEdit", QStringLiteral("55"));
        edit("ReichweiteEdit")->setText(value);
        click(control("Speichern"));
        ASSERT_EQ(MessageBoxSeam::shown().size(), 1) << value.toStdString();
        EXPECT_TRUE(MessageBoxSeam::shown().first().text.startsWith(
            QStringLiteral("Ungültiger Wert für wirksame Reichweite")));
        EXPECT_TRUE(changedLines().isEmpty()) << value.toStdString();
        EXPECT_TRUE(window->editor().IsDirty());
        EXPECT_EQ(mainWidget()->focusWidget(), edit("ReichweiteEdit"));
        EXPECT_EQ(window->store().CurrentBuilding.at(3), u"50") << "no slot changed";
    }
}

TEST_F(Editing, InvalidValueKeepsTheUserOnTheEntryWhenLeaving)
{
    select(QStringLiteral("Kleines Haus"));
    edit("SteuernEdit")->setText(QStringLiteral("1,3"));
    type("BewohnerEdit", QStringLiteral("14"));
    MessageBoxSeam::queueAnswer(IDYES);
    select(QStringLiteral("Grosses Haus"), false);
    EXPECT_EQ(tree()->currentItem(), node(QStringLiteral("Kleines Haus")));
    EXPECT_EQ(text("SteuernEdit"), QStringLiteral("1,3"));
    EXPECT_EQ(text("BewohnerEdit"), QStringLiteral("14"));
    EXPECT_TRUE(changedLines().isEmpty());
    EXPECT_TRUE(window->editor().IsDirty());
    EXPECT_EQ(control<QLabel>("ObjektnameLabel")->text(), QStringLiteral("Kleines Haus"));
}

TEST_F(Editing, FailedWriteKeepsTheFileAndTheEditedState)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("70"));
    platform.failWrites("Kein Speicherplatz");
    click(control("Speichern"));
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_TRUE(MessageBoxSeam::shown().first().text.contains(QStringLiteral("kann nicht erstellt werden")));
    EXPECT_EQ(MessageBoxSeam::shown().first().flags, MB_ICONERROR);
    EXPECT_TRUE(changedLines().isEmpty());
    EXPECT_TRUE(window->editor().IsDirty());
}

TEST_F(Editing, WholeResetWithCancelChangesNothing)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("70"));
    click(control("Speichern"));
    const std::string before = modelBytes();
    MessageBoxSeam::queueAnswer(IDCANCEL);
    click(control("CompleteReset"));
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::shown().first().text, QStringLiteral("Die komplette Modelldatei zurücksetzen?"));
    EXPECT_EQ(MessageBoxSeam::shown().first().flags, 289);
    EXPECT_EQ(modelBytes(), before);
    EXPECT_EQ(tree()->currentItem(), node(QStringLiteral("Theater")));
}

TEST_F(Editing, WholeResetWithOkWritesTheShippedModel)
{
    select(QStringLiteral("Herrschaftliche Villa"));
    type("SteuernEdit", QStringLiteral("1"));
    MessageBoxSeam::queueAnswer(IDOK);
    click(control("CompleteReset"));
    EXPECT_EQ(modelBytes(), builtinText("NewModell") + "\r\n");
    EXPECT_EQ(tree()->currentItem(), nullptr);
    EXPECT_EQ(tree()->topLevelItemCount(), 10);
    EXPECT_TRUE(control("Panel1")->isHidden());
    EXPECT_TRUE(control("Panel2")->isHidden());
    EXPECT_FALSE(control("NoSelectImage")->isHidden());
    EXPECT_TRUE(control<QLabel>("ObjektnameLabel")->text().isEmpty());
    // Nothing is selected, so nothing may be stored or reset any more.
    EXPECT_FALSE(window->editor().IsDirty());
    EXPECT_FALSE(control("Speichern")->isEnabled());
    EXPECT_FALSE(control("SingleElementReset")->isEnabled());
    MessageBoxSeam::clear();
    select(QStringLiteral("Theater"));
    EXPECT_TRUE(MessageBoxSeam::shown().isEmpty());
}

TEST_F(Editing, EntryMissingFromAHandEditedFileShowsNoSelection)
{
    window->store().WorkingModel[32] = u"31,Theatre,{,50,2,1,-1,2,8,0,0,},,";
    select(QStringLiteral("Theater"));
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_TRUE(MessageBoxSeam::shown().first().text.contains(QStringLiteral("\"Theater\" fehlt")));
    EXPECT_TRUE(control("Panel1")->isHidden());
    EXPECT_FALSE(control("NoSelectImage")->isHidden());
    EXPECT_FALSE(control("Speichern")->isEnabled());
    EXPECT_TRUE(changedLines().isEmpty());
}

TEST_F(Editing, HeaderShowsTheNodePictureOnWhite)
{
    select(QStringLiteral("Theater"));
    const QImage header = control<QLabel>("BuildingImage")->pixmap().toImage();
    EXPECT_EQ(header.size(), QSize(135, 96));
    EXPECT_FALSE(header.hasAlphaChannel());
    for (int outside : {108, -1}) {
        skin->showListPicture(u"BuildingImage", outside);
        EXPECT_TRUE(control<QLabel>("BuildingImage")->pixmap().isNull()) << outside;
    }
}

} // namespace
} // namespace z7::test
