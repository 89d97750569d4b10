// Another program writes the model file while the editor is open: a store
// asks before it writes, and either puts the entry into the changed file or
// writes nothing; the whole reset names the change in its question.

#include "editing_fixture.h"

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
    // What a text editor does: the file rewritten with some lines changed.
    void editByHand(const QMap<int, QString> &lines, const QByteArray &mark = {})
    {
        QStringList now = modelLines();
        for (auto it = lines.cbegin(); it != lines.cend(); ++it)
            now[it.key()] = it.value();
        platform.putFile(
            ModelFile,
            QByteArray(mark + now.join(QStringLiteral("\r\n")).toLatin1()).toStdString());
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
    MessageBoxSeam::queueAnswer(IDYES);
    click(control("Speichern"));

    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::shown().first().text,
              ChangedQuestion.arg(QString::fromUtf8(c.entry)));
    EXPECT_EQ(MessageBoxSeam::shown().first().title, QStringLiteral("Sicherheitsabfrage"));
    EXPECT_EQ(MessageBoxSeam::shown().first().flags, MB_YESNO | MB_ICONQUESTION);
    QMap<int, QString> expected = c.byHand;
    expected.insert(c.stored);
    EXPECT_EQ(changedLines(), expected);
    EXPECT_FALSE(window->editor().IsDirty());
    EXPECT_EQ(window->store().WorkingModel, modelLines().mid(0, 152)) << "memory and file agree";

    // The next store finds the file as it left it and asks nothing.
    MessageBoxSeam::clear();
    click(control("Speichern"));
    EXPECT_TRUE(MessageBoxSeam::shown().isEmpty());
    EXPECT_EQ(changedLines(), expected);
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

TEST_F(OtherWriter, NoWritesNothingAndKeepsTheEdits)
{
    select(QStringLiteral("Kleines Zelt"));
    type("SteuernEdit", QStringLiteral("4"));
    editByHand({{32, TheaterByHand}});
    const std::string byHand = modelBytes();
    const QStringList workingBefore = window->store().WorkingModel;
    const std::size_t writes = platform.writtenFiles().size();

    MessageBoxSeam::queueAnswer(IDNO);
    click(control("Speichern"));
    EXPECT_EQ(modelBytes(), byHand);
    EXPECT_EQ(platform.writtenFiles().size(), writes);
    EXPECT_TRUE(window->editor().IsDirty());
    EXPECT_EQ(edit("SteuernEdit")->text(), QStringLiteral("4"));
    EXPECT_EQ(window->store().WorkingModel, workingBefore);

    // Leaving the entry offers the store again; No to the file question keeps
    // the user on the entry, as a rejected value does.
    MessageBoxSeam::clear();
    MessageBoxSeam::queueAnswer(IDYES);
    MessageBoxSeam::queueAnswer(IDNO);
    select(QStringLiteral("Arzt"), false);
    ASSERT_EQ(MessageBoxSeam::shown().size(), 2);
    EXPECT_EQ(MessageBoxSeam::shown().at(1).text,
              ChangedQuestion.arg(QStringLiteral("Kleines Zelt")));
    EXPECT_EQ(window->tree()->currentItem(), node(QStringLiteral("Kleines Zelt")));
    EXPECT_EQ(edit("SteuernEdit")->text(), QStringLiteral("4"));
    EXPECT_TRUE(window->editor().IsDirty());
    EXPECT_EQ(modelBytes(), byHand);
}

TEST_F(OtherWriter, TheChangedFileKeepsItsEncoding)
{
    select(QStringLiteral("Arzt"));
    type("BaukostenEdit", QStringLiteral("33"));
    editByHand({{32, TheaterByHand}}, "\xEF\xBB\xBF");
    MessageBoxSeam::queueAnswer(IDYES);
    click(control("Speichern"));
    const std::string bytes = modelBytes();
    ASSERT_EQ(bytes.rfind("\xEF\xBB\xBF"
                          "ALL BUILDINGS\r\n",
                          0),
              0u)
        << "written without its mark";
    EXPECT_NE(bytes.find("31,Theater,{,77,"), std::string::npos);
    EXPECT_NE(bytes.find("46,Arzt,{,33,"), std::string::npos);
}

TEST_F(OtherWriter, AnEntryTheChangedFileLacksIsNotStored)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("60"));
    editByHand({{32, QStringLiteral("31,Theatre,{,50,2,1,-1,2,8,0,0,},,")}});
    const std::string byHand = modelBytes();
    MessageBoxSeam::queueAnswer(IDYES);
    click(control("Speichern"));
    ASSERT_EQ(MessageBoxSeam::shown().size(), 2);
    EXPECT_EQ(
        MessageBoxSeam::shown().at(1).text,
        QStringLiteral("Der Eintrag \"Theater\" fehlt in der geänderten Modelldatei und wurde "
                       "nicht gespeichert.\rIhre Eingaben bleiben stehen; mit \"Gesamtreset\" "
                       "lässt sich die ausgelieferte Modelldatei wiederherstellen."));
    EXPECT_EQ(MessageBoxSeam::shown().at(1).flags, MB_ICONERROR);
    EXPECT_EQ(modelBytes(), byHand);
    EXPECT_TRUE(window->editor().IsDirty());
    EXPECT_EQ(edit("BaukostenEdit")->text(), QStringLiteral("60"));
}

TEST_F(OtherWriter, ADeletedFileIsWrittenAnewOnlyWhenAsked)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("60"));
    std::filesystem::remove(platform.hostPath(ModelFile));
    const QString question = QStringLiteral(
        "Die Modelldatei C:\\Spiele\\Z7\\z7_model.txt ist nicht mehr vorhanden; ein anderes "
        "Programm hat sie gelöscht oder verschoben.\rSoll sie mit dem Eintrag \"Theater\" und "
        "allen "
        "Werten, die Z7 Edit zuletzt gelesen oder gespeichert hat, neu geschrieben werden?\rMit "
        "\"Nein\" wird nichts gespeichert, Ihre Eingaben bleiben stehen.");

    MessageBoxSeam::queueAnswer(IDNO);
    click(control("Speichern"));
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::shown().first().text, question);
    EXPECT_FALSE(platform.fileContents(ModelFile));
    EXPECT_TRUE(window->editor().IsDirty());

    MessageBoxSeam::queueAnswer(IDYES);
    click(control("Speichern"));
    const QMap<int, QString> expected{{32, QStringLiteral("31,Theater,{,60,2,1,-1,2,8,0,0,},,,,")}};
    EXPECT_EQ(changedLines(), expected);
    EXPECT_FALSE(window->editor().IsDirty());
}

TEST_F(OtherWriter, ADeclinedEntryResetLeavesTheEntryEdited)
{
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("60"));
    click(control("Speichern"));
    editByHand({{47, QStringLiteral("46,Arzt,{,31,0,0,0,0,5,0,0,},,")}});
    const std::string byHand = modelBytes();
    MessageBoxSeam::queueAnswer(IDNO);
    click(control("SingleElementReset"));
    EXPECT_EQ(modelBytes(), byHand);
    EXPECT_EQ(edit("BaukostenEdit")->text(), QStringLiteral("50"));
    EXPECT_TRUE(window->editor().IsDirty()) << "the shipped values on screen are not in the file";
}

struct ResetCase
{
    const char *name;
    bool deleted; // the model file deleted instead of edited
    const char *note;
};

class ResetAfterOtherWriter : public OtherWriter, public ::testing::WithParamInterface<ResetCase>
{
};

TEST_P(ResetAfterOtherWriter, TheQuestionSaysWhatHappened)
{
    const ResetCase &c = GetParam();
    if (c.deleted)
        std::filesystem::remove(platform.hostPath(ModelFile));
    else
        editByHand({{32, TheaterByHand}});
    const std::optional<std::string> before = platform.fileContents(ModelFile);
    const QString question =
        QString::fromUtf8(c.note) + QStringLiteral("\rDie komplette Modelldatei zurücksetzen?");

    MessageBoxSeam::queueAnswer(IDCANCEL);
    click(control("CompleteReset"));
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::shown().first().text, question);
    EXPECT_EQ(MessageBoxSeam::shown().first().flags, 289);
    EXPECT_EQ(platform.fileContents(ModelFile), before) << "Cancel changed the file";

    MessageBoxSeam::clear();
    MessageBoxSeam::queueAnswer(IDOK);
    click(control("CompleteReset"));
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::shown().first().text, question);
    EXPECT_EQ(modelBytes(), builtinText("NewModell") + "\r\n");

    // Written by the editor now: the next reset asks the plain question.
    MessageBoxSeam::clear();
    MessageBoxSeam::queueAnswer(IDCANCEL);
    click(control("CompleteReset"));
    EXPECT_EQ(MessageBoxSeam::shown().first().text,
              QStringLiteral("Die komplette Modelldatei zurücksetzen?"));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ResetAfterOtherWriter,
    ::testing::Values(ResetCase{"HandEdit", false,
                                "Die Modelldatei wurde seit dem letzten Lesen von einem anderen "
                                "Programm geändert; beim Zurücksetzen gehen auch diese Änderungen "
                                "verloren."},
                      ResetCase{
                          "Deleted", true,
                          "Die Modelldatei ist nicht mehr vorhanden; ein anderes Programm hat "
                          "sie gelöscht oder verschoben. Beim Zurücksetzen wird sie neu "
                          "geschrieben."}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace z7::test
