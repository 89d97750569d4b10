// Another program writes the model file while the editor is open: a store
// asks before it writes, and either puts the entry into the changed file or
// writes nothing; the whole reset names the change in its question.

#include "tests/editor/editing_fixture.h"

#include <filesystem>

namespace z7::test {
namespace {

const QString ChangedQuestion = QStringLiteral(
    "Die Modelldatei wurde seit dem letzten Lesen von einem anderen Programm geändert.\rSoll der "
    "Eintrag \"%1\" in die geänderte Datei übernommen werden? Alle anderen Änderungen in der Datei "
    "bleiben erhalten; hat das andere Programm auch \"%1\" geändert, gelten dafür die hier "
    "angezeigten Werte.\rMit \"Nein\" wird nichts gespeichert, Ihre Eingaben bleiben stehen.");

const QString TheaterByHand = QStringLiteral("31,Theater,{,77,2,1,-1,2,8,0,0,},,");

class OtherWriter : public Editing
{
protected:
    // What a text editor does: the file rewritten with some lines changed,
    // in UTF-8 with its mark when asked to.
    void editByHand(const QMap<int, QString> &lines, bool utf8 = false)
    {
        QStringList now = modelLines();
        for (auto it = lines.cbegin(); it != lines.cend(); ++it)
            now[it.key()] = it.value();
        const QString text = now.join(QStringLiteral("\r\n"));
        const QByteArray bytes = utf8 ? "\xEF\xBB\xBF" + text.toUtf8() : text.toLatin1();
        platform.putFile(ModelFile, bytes.toStdString());
    }
    void save(int answer)
    {
        MessageBoxSeam::queueAnswer(answer);
        click(control("Speichern"));
    }
};

struct HandEditCase
{
    const char *name;
    const char *entry;
    const char *editName; // the value typed before the store
    const char *value;
    QMap<int, QString> byHand;
    QMap<int, QString> stored; // the entry's lines as the store writes them
};

class HandEditBeforeStore : public OtherWriter, public ::testing::WithParamInterface<HandEditCase>
{
};

TEST_P(HandEditBeforeStore, YesKeepsTheHandEditAndStoresTheEntry)
{
    const HandEditCase &c = GetParam();
    select(QString::fromUtf8(c.entry));
    type(c.editName, QString::fromUtf8(c.value));
    editByHand(c.byHand);
    save(IDYES);

    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::shown().first().text,
              ChangedQuestion.arg(QString::fromUtf8(c.entry)));
    EXPECT_EQ(MessageBoxSeam::shown().first().title, QStringLiteral("Sicherheitsabfrage"));
    EXPECT_EQ(MessageBoxSeam::shown().first().flags, MB_YESNO | MB_ICONQUESTION);
    QMap<int, QString> expected = c.byHand;
    expected.insert(c.stored);
    EXPECT_EQ(changedLines(), expected);
    EXPECT_FALSE(window->editor().IsDirty());

    // The next store finds the file as it left it and asks nothing.
    MessageBoxSeam::clear();
    click(control("Speichern"));
    EXPECT_TRUE(MessageBoxSeam::shown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, HandEditBeforeStore,
    ::testing::Values(
        HandEditCase{"Building",
                     "Arzt",
                     "BaukostenEdit",
                     "33",
                     {{32, TheaterByHand}},
                     {{47, QStringLiteral("46,Arzt,{,33,0,0,0,0,5,0,0,},,,,")}}},
        HandEditCase{"FirstHouseLevel",
                     "Kleines Zelt",
                     "BaukostenEdit",
                     "20",
                     {{32, TheaterByHand},
                      {139, QStringLiteral("Grosse Casa,{,14,20,10,2,1,1,1,0,1,0,1,1,0,0,0,2,17,"
                                           "45,99,2,,,19,,,,,,")}},
                     {{11, QStringLiteral("10,H100,{,20,-3,1,1,3,0,0,0,},,,,")},
                      {132, QStringLiteral("Kleines Zelt,{,-99,-10,0,0,0,0,0,0,0,0,0,0,0,0,0,3,"
                                           "25,5,5,1,,,3,,")}}},
        // The other program changed the entry itself: the values on screen win,
        // as the question says, and its other lines stay.
        HandEditCase{"SameEntry",
                     "Theater",
                     "ArbeiterEdit",
                     "9",
                     {{32, TheaterByHand}, {47, QStringLiteral("46,Arzt,{,31,0,0,0,0,5,0,0,},,")}},
                     {{32, QStringLiteral("31,Theater,{,50,2,1,-1,2,9,0,0,},,,,")}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(OtherWriter, TheChangedFileKeepsItsEncoding)
{
    select(QStringLiteral("Arzt"));
    type("BaukostenEdit", QStringLiteral("33"));
    editByHand({{32, TheaterByHand}}, true);
    std::string expected = modelBytes();
    expected.replace(expected.find("46,Arzt,{,30,0,0,0,0,5,0,0,},,"), 30,
                     "46,Arzt,{,33,0,0,0,0,5,0,0,},,,,");
    save(IDYES);
    EXPECT_EQ(modelBytes(), expected);
}

TEST_F(OtherWriter, NoWritesNothingAndKeepsTheUserOnTheEntry)
{
    select(QStringLiteral("Kleines Zelt"));
    type("SteuernEdit", QStringLiteral("4"));
    editByHand({{32, TheaterByHand}});
    const std::string byHand = modelBytes();
    const Lines working = window->store().WorkingModel;
    save(IDNO);
    EXPECT_EQ(modelBytes(), byHand);
    EXPECT_TRUE(window->editor().IsDirty());
    EXPECT_EQ(window->store().WorkingModel, working);

    // Leaving the entry offers the store again; No to the file question keeps
    // the user on the entry, as a rejected value does.
    MessageBoxSeam::queueAnswer(IDYES);
    MessageBoxSeam::queueAnswer(IDNO);
    select(QStringLiteral("Arzt"), false);
    EXPECT_EQ(tree()->currentItem(), node(QStringLiteral("Kleines Zelt")));
    EXPECT_EQ(edit("SteuernEdit")->text(), QStringLiteral("4"));
    EXPECT_TRUE(window->editor().IsDirty());
    EXPECT_EQ(modelBytes(), byHand);
}

TEST_F(OtherWriter, AnEntryTheChangedFileLacksIsNotStored)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("60"));
    editByHand({{32, QStringLiteral("31,Theatre,{,50,2,1,-1,2,8,0,0,},,")}});
    const std::string byHand = modelBytes();
    save(IDYES);
    ASSERT_EQ(MessageBoxSeam::shown().size(), 2);
    EXPECT_EQ(
        MessageBoxSeam::shown().at(1).text,
        QStringLiteral("Der Eintrag \"Theater\" fehlt in der geänderten Modelldatei und wurde "
                       "nicht gespeichert.\rIhre Eingaben bleiben stehen; mit \"Gesamtreset\" "
                       "lässt sich die ausgelieferte Modelldatei wiederherstellen."));
    EXPECT_EQ(modelBytes(), byHand);
    EXPECT_TRUE(window->editor().IsDirty());
}

TEST_F(OtherWriter, ADeletedFileIsWrittenAnewOnlyWhenAsked)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("60"));
    std::filesystem::remove(platform.hostPath(ModelFile));
    save(IDNO);
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::shown().first().text,
              QStringLiteral("Die Modelldatei C:\\Spiele\\Z7\\z7_model.txt ist nicht mehr "
                             "vorhanden; ein anderes Programm hat sie gelöscht oder verschoben.\r"
                             "Soll sie mit dem Eintrag \"Theater\" und allen Werten, die Z7 Edit "
                             "zuletzt gelesen oder gespeichert hat, neu geschrieben werden?\rMit "
                             "\"Nein\" wird nichts gespeichert, Ihre Eingaben bleiben stehen."));
    EXPECT_FALSE(platform.fileContents(ModelFile));
    EXPECT_TRUE(window->editor().IsDirty());
    save(IDYES);
    const QMap<int, QString> expected{{32, QStringLiteral("31,Theater,{,60,2,1,-1,2,8,0,0,},,,,")}};
    EXPECT_EQ(changedLines(), expected);
}

// A write that failed left the old file: still the one the editor knows.
TEST_F(OtherWriter, AFailedWriteRaisesNoQuestionAfterwards)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("60"));
    platform.failWrites("Kein Speicherplatz");
    click(control("Speichern"));
    platform.allowWrites();
    MessageBoxSeam::clear();
    click(control("Speichern"));
    EXPECT_TRUE(MessageBoxSeam::shown().isEmpty());
    EXPECT_EQ(changedLines().value(32), QStringLiteral("31,Theater,{,60,2,1,-1,2,8,0,0,},,,,"));
}

TEST_F(OtherWriter, TheWholeResetSaysWhatHappenedToTheFile)
{
    const std::pair<bool, QString> cases[] = {
        {false, QStringLiteral("Die Modelldatei wurde seit dem letzten Lesen von einem anderen "
                               "Programm geändert; beim Zurücksetzen gehen auch diese Änderungen "
                               "verloren.")},
        {true, QStringLiteral("Die Modelldatei ist nicht mehr vorhanden; ein anderes Programm hat "
                              "sie gelöscht oder verschoben. Beim Zurücksetzen wird sie neu "
                              "geschrieben.")}};
    for (const auto &[deleted, note] : cases) {
        if (deleted)
            std::filesystem::remove(platform.hostPath(ModelFile));
        else
            editByHand({{32, TheaterByHand}});
        const std::optional<std::string> before = platform.fileContents(ModelFile);
        MessageBoxSeam::clear();
        MessageBoxSeam::queueAnswer(IDCANCEL);
        click(control("CompleteReset"));
        ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
        EXPECT_EQ(MessageBoxSeam::shown().first().text,
                  note + QStringLiteral("\rDie komplette Modelldatei zurücksetzen?"));
        EXPECT_EQ(MessageBoxSeam::shown().first().flags, 289);
        EXPECT_EQ(platform.fileContents(ModelFile), before) << "Cancel changed the file";

        MessageBoxSeam::queueAnswer(IDOK);
        click(control("CompleteReset"));
        EXPECT_EQ(modelBytes(), builtinText("NewModell") + "\r\n");
    }
    // Written by the editor now: the plain question again.
    MessageBoxSeam::clear();
    MessageBoxSeam::queueAnswer(IDCANCEL);
    click(control("CompleteReset"));
    EXPECT_EQ(MessageBoxSeam::shown().first().text,
              QStringLiteral("Die komplette Modelldatei zurücksetzen?"));
}

} // namespace
} // namespace z7::test
