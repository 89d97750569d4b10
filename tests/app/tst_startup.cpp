// The start on the real Qt window: the fonts as the widgets really carry
// them, the state the window opens in, a name for every control. The
// start-up's decisions are tested on the window in memory (tst_startup_logic).

#include "tests/support/window_fixture.h"

#include <QFont>

namespace z7::test {
namespace {

struct FontCase
{
    const char *name;
    int first, second;
    const char *window;
    int windowSize;
    const char *imprint;
    int imprintSize;
};

class FontOutcome : public WindowTest, public ::testing::WithParamInterface<FontCase>
{
};

TEST_P(FontOutcome, GivesTheFontsOfItsRow)
{
    const FontCase &c = GetParam();
    skin = std::make_unique<QtWindow>();
    window = std::make_unique<TestWindow>(platform, *skin);
    window->firstFont = c.first;
    window->secondFont = c.second;
    ASSERT_EQ(window->FormCreate(), TMain::StartResult::Run);
    const QFont windowFont = mainWidget()->font();
    const QFont imprint = control<QLabel>("ImprintLabel")->font();
    const QFont header = control<QLabel>("ObjektnameLabel")->font();
    EXPECT_EQ(windowFont.family(), QString::fromLatin1(c.window));
    EXPECT_EQ(windowFont.pointSize(), c.windowSize);
    EXPECT_EQ(imprint.family(), QString::fromLatin1(c.imprint));
    EXPECT_EQ(imprint.pointSize(), c.imprintSize);
    EXPECT_EQ(header.family(), windowFont.family());
    EXPECT_EQ(header.pointSize(), 13);
    EXPECT_TRUE(header.bold());
    const QColor imprintColour =
        control<QLabel>("ImprintLabel")->palette().color(QPalette::WindowText);
    EXPECT_EQ(imprintColour == QColor(114, 0, 0), c.second > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, FontOutcome,
    ::testing::Values(FontCase{"both", 1, 2, "BacciSmallCaps", 10, "Formal436 BT", 13},
                      FontCase{"secondFailed", 1, 0, "Calibri", 10, "Calibri", 10},
                      FontCase{"firstFailed", 0, 2, "Calibri", 10, "Formal436 BT", 13},
                      FontCase{"neither", 0, 0, "Calibri", 10, "Calibri", 10},
                      // A negative handle takes neither branch: the window keeps its own font.
                      FontCase{"negative", -5, -5, "Tahoma", 10, "Tahoma", 10}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(WindowTest, OpensWithTheStateOfItsLayout)
{
    start();
    QWidget &w = *mainWidget();
    EXPECT_EQ(w.size(), QSize(901, 601));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Z7 Edit"));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(control("Panel1")->isHidden());
    EXPECT_TRUE(control("Panel2")->isHidden());
    EXPECT_FALSE(control("NoSelectImage")->isHidden());
    EXPECT_FALSE(control("Speichern")->isEnabled());
    EXPECT_TRUE(control("SingleElementReset")->isHidden());
    EXPECT_EQ(control<QLabel>("ObjektnameLabel")->text(), QStringLiteral("Wohnungen"));
    EXPECT_EQ(control("ModellTree")->geometry(), QRect(8, 135, 226, 385));
    EXPECT_EQ(control("Beenden")->geometry(), QRect(588, 563, 306, 33));
    EXPECT_EQ(control("BuildingImage")->geometry(), QRect(401, 3, 160, 119));
    EXPECT_EQ(w.focusWidget(), control("Beenden"));
}

// A screen reader can name every control of the window, those of the value
// panels too, which the window makes when the first entry is shown.
TEST_F(WindowTest, EveryNamedControlHasAnAccessibleName)
{
    start();
    select(QStringLiteral("Grosse Casa"));
    int named = 0;
    for (QWidget *w : mainWidget()->findChildren<QWidget *>()) {
        // The spin control's own arrow buttons are parts of one named control.
        if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_") ||
            qobject_cast<UpDown *>(w->parentWidget()))
            continue;
        ++named;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
    EXPECT_GE(named, 21 * 4 + 15);
}

} // namespace
} // namespace z7::test
