#include "ui/qt/findcontrol.h"
#include "ui/qt/messagebox.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace z7;

namespace {

class SeamTest : public testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::enable();
        MessageBoxSeam::clear();
    }
    void TearDown() override
    {
        MessageBoxSeam::clear();
        MessageBoxSeam::enable(false);
    }
};

// Only A-Z fold: "[" and "{" differ by the same bit as "A" and "a", and
// umlauts must match exactly.
TEST(FindControl, IgnoresTheCaseOfAsciiLettersOnly)
{
    struct Row
    {
        const char16_t *a, *b;
        bool same;
    } rows[] = {
        {u"UnterhaltungslevelEdit", u"UnterhaltungsLevelEdit", true},
        {u"WasserqualitätEdit", u"WasserQualitätEdit", true},
        {u"RÜckentwicklungEdit", u"RückentwicklungEdit", false},
        {u"x[", u"X{", false},
        {u"x@", u"X`", false},
        {u"Baukosten", u"BaukostenEdit", false},
        {u"", u"", true},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(QString::fromUtf16(r.a).toStdString() + " / " +
                     QString::fromUtf16(r.b).toStdString());
        EXPECT_EQ(SameControlName(QString::fromUtf16(r.a), QString::fromUtf16(r.b)), r.same);
    }

    QWidget root;
    auto *panel = new QWidget(&root);
    auto *edit = new QLineEdit(panel);
    edit->setObjectName(QStringLiteral("UnterhaltungsLevelEdit"));
    auto *umlaut = new QLineEdit(&root);
    umlaut->setObjectName(QStringLiteral("MöbelzugangEdit"));
    EXPECT_EQ(FindControl(&root, QStringLiteral("unterhaltungslevelEDIT")), edit);
    EXPECT_EQ(FindControl(&root, QStringLiteral("MÖbelzugangEdit")), nullptr);
    EXPECT_EQ(FindControl(&root, QStringLiteral("möbelzugangedit")), umlaut);
    EXPECT_EQ(FindControl(&root, QStringLiteral("Missing")), nullptr);
}

TEST_F(SeamTest, RecordsBoxesAndAnswersInOrder)
{
    MessageBoxSeam::queueAnswer(IDNO);
    MessageBoxSeam::queueAnswer(IDCANCEL);
    EXPECT_EQ(ShowMessage(nullptr,
                          QStringLiteral("Theater\rDie Einheit wurde bearbeitet. Speichern?"),
                          QStringLiteral("Sicherheitsabfrage"), 36),
              IDNO);
    EXPECT_EQ(ShowMessage(nullptr, QStringLiteral("b"), QStringLiteral("t"), 289), IDCANCEL);
    // A lone OK needs no prepared answer.
    EXPECT_EQ(ShowMessage(nullptr, QStringLiteral("c"), QStringLiteral("Fehler"), 16), IDOK);
    const QList<MessageBoxSeam::Shown> shown = MessageBoxSeam::shown();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0].text, u"Theater\rDie Einheit wurde bearbeitet. Speichern?");
    EXPECT_EQ(shown[0].title, u"Sicherheitsabfrage");
    EXPECT_EQ(shown[0].flags, 36);
    EXPECT_EQ(shown[1].flags, 289);
    EXPECT_EQ(shown[2].flags, 16);
}

// The real box, answered through its own keys and buttons: German captions
// whatever the locale, the CR as a line break, Cancel as default for 289,
// Esc and Close as documented.
TEST(MessageBox, RealBoxButtonsDefaultsAndEscape)
{
    enum Action { Escape, Enter, Close, ClickSecond };
    struct Row
    {
        int flags;
        Action action;
        int result;
        QStringList captions;
        QMessageBox::Icon icon;
    } rows[] = {
        {16, Escape, IDOK, {QStringLiteral("OK")}, QMessageBox::Critical},
        {16, Enter, IDOK, {QStringLiteral("OK")}, QMessageBox::Critical},
        {36, Enter, IDYES, {QStringLiteral("Ja"), QStringLiteral("Nein")}, QMessageBox::Question},
        {36,
         ClickSecond,
         IDNO,
         {QStringLiteral("Ja"), QStringLiteral("Nein")},
         QMessageBox::Question},
        {36, Escape, IDNO, {QStringLiteral("Ja"), QStringLiteral("Nein")}, QMessageBox::Question},
        {289,
         Enter,
         IDCANCEL,
         {QStringLiteral("OK"), QStringLiteral("Abbrechen")},
         QMessageBox::Question},
        {289,
         Escape,
         IDCANCEL,
         {QStringLiteral("OK"), QStringLiteral("Abbrechen")},
         QMessageBox::Question},
        {289,
         Close,
         IDCANCEL,
         {QStringLiteral("OK"), QStringLiteral("Abbrechen")},
         QMessageBox::Question},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << "flags " << r.flags << " action " << r.action);
        QStringList captions;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) {
                ADD_FAILURE() << "no modal box";
                return;
            }
            for (QAbstractButton *b : box->buttons())
                captions.append(b->text());
            text = box->text();
            icon = box->icon();
            switch (r.action) {
            case Escape:
                QTest::keyClick(box, Qt::Key_Escape);
                break;
            case Enter:
                QTest::keyClick(box, Qt::Key_Return);
                break;
            case Close:
                box->close();
                break;
            case ClickSecond:
                for (QAbstractButton *b : box->buttons())
                    if (b->text() == r.captions.value(1))
                        b->click();
                break;
            }
        });
        EXPECT_EQ(ShowMessage(nullptr, QStringLiteral("Zeile 1\rZeile 2"), QStringLiteral("Titel"),
                              r.flags),
                  r.result);
        captions.sort();
        QStringList expected = r.captions;
        expected.sort();
        EXPECT_EQ(captions, expected);
        EXPECT_EQ(text, u"Zeile 1\nZeile 2");
        EXPECT_EQ(icon, r.icon);
    }
}

} // namespace
