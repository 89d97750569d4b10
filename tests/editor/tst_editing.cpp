// What only the real widgets of the value panels can get wrong: a spin box
// that bends a value to its range, the header picture as the label holds it.
// The panels' logic is tested on the window in memory (tst_editor_logic).

#include "editor/value_rows.h"
#include "model/text.h"
#include "tests/support/window_fixture.h"

namespace z7::test {
namespace {

class QtPanels : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
        ASSERT_EQ(result, TMain::StartResult::Run);
        mainWidget()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWidget()));
    }
    QString text(const char *editName) { return control<ValueEdit>(editName)->text(); }
    int visibleMarkers()
    {
        int n = 0;
        for (const ValueRowDef &row : ValueRows)
            n += !control(ToUtf8(row.pngName).c_str())->isHidden();
        return n;
    }
};

TEST_F(QtPanels, ValueAboveTheSpinMaximumIsShownUnchanged)
{
    select(QStringLiteral("Luxus Palast"));
    EXPECT_EQ(text("SteuernEdit"), QStringLiteral("1600"));
    EXPECT_EQ(text("BewohnerEdit"), QStringLiteral("200"));
    EXPECT_EQ(text("WeiterentwicklungEdit"), QStringLiteral("100"));
    EXPECT_EQ(visibleMarkers(), 0);
}

TEST_F(QtPanels, HeaderShowsTheNodePictureOnWhite)
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
