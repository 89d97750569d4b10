// The real box's looks and the seam that answers boxes in the other tests;
// its buttons and answers are the window contract's (tests/contract).
#include "ui/qt/messagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QProxyStyle>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

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

TEST_F(SeamTest, RecordsBoxesAndAnswersInOrder)
{
    MessageBoxSeam::queueAnswer(AnswerNo);
    MessageBoxSeam::queueAnswer(AnswerCancel);
    EXPECT_EQ(ShowMessage(nullptr,
                          QStringLiteral("Theater\rDie Einheit wurde bearbeitet. Speichern?"),
                          QStringLiteral("Sicherheitsabfrage"), 36),
              AnswerNo);
    EXPECT_EQ(ShowMessage(nullptr, QStringLiteral("b"), QStringLiteral("t"), 289), AnswerCancel);
    // A lone OK needs no prepared answer.
    EXPECT_EQ(ShowMessage(nullptr, QStringLiteral("c"), QStringLiteral("Fehler"), 16), AnswerOk);
    const QList<MessageBoxSeam::Shown> shown = MessageBoxSeam::shown();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0].text, u"Theater\rDie Einheit wurde bearbeitet. Speichern?");
    EXPECT_EQ(shown[0].title, u"Sicherheitsabfrage");
    EXPECT_EQ(shown[0].flags, 36);
    EXPECT_EQ(shown[1].flags, 289);
    EXPECT_EQ(shown[2].flags, 16);
}

// A desktop whose dialogs put No before Yes and Cancel before OK, as GNOME's do.
class NoFirstStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override
    {
        if (hint == SH_DialogButtonLayout)
            return QDialogButtonBox::GnomeLayout;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// The icon of the flags, and the buttons in the program's order on any desktop.
TEST(MessageBox, IconAndButtonOrderWhateverTheDesktop)
{
    const struct
    {
        int flags;
        QMessageBox::Icon icon;
        QStringList captions;
    } rows[] = {
        {16, QMessageBox::Critical, {QStringLiteral("OK")}},
        {36, QMessageBox::Question, {QStringLiteral("Ja"), QStringLiteral("Nein")}},
        {289, QMessageBox::Question, {QStringLiteral("OK"), QStringLiteral("Abbrechen")}},
    };
    const QString style = QApplication::style()->name();
    QApplication::setStyle(new NoFirstStyle);
    for (const auto &r : rows) {
        SCOPED_TRACE(r.flags);
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList captions;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) {
                ADD_FAILURE() << "no modal box";
                return;
            }
            icon = box->icon();
            QList<QAbstractButton *> buttons = box->buttons();
            std::sort(buttons.begin(), buttons.end(), [box](auto *a, auto *b) {
                return a->mapTo(box, QPoint()).x() < b->mapTo(box, QPoint()).x();
            });
            for (QAbstractButton *b : buttons)
                captions.append(b->text());
            QTest::keyClick(box, Qt::Key_Escape);
        });
        EXPECT_EQ(ShowMessage(nullptr, QStringLiteral("Text"), QStringLiteral("Titel"), r.flags),
                  AnswerCancel);
        EXPECT_EQ(icon, r.icon);
        EXPECT_EQ(captions, r.captions);
    }
    QApplication::setStyle(style);
}

} // namespace
