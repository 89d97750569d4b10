#pragma once

// The window started on the default model and shown, ready for the value
// panels to be driven; the model file's lines compared with that default.

#include "editor/value_rows.h"
#include "model/text.h"
#include "tests/support/window_fixture.h"

namespace z7::test {

class Editing : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
        ASSERT_EQ(result, TMain::StartResult::Run);
        mainWidget()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWidget()));
        MessageBoxSeam::clear();
        shipped = modelLines();
    }

    QString text(const char *editName) { return edit(editName)->text(); }
    int visibleMarkers()
    {
        int n = 0;
        for (int i = 0; i < rows::Count; ++i)
            n += !control(ToUtf8(ValueRows[std::size_t(i)].pngName).c_str())->isHidden();
        return n;
    }
    // Lines of the model file that differ from the default model, by index.
    QMap<int, QString> changedLines()
    {
        QMap<int, QString> changed;
        const QStringList now = modelLines();
        for (int i = 0; i < now.size(); ++i)
            if (i >= shipped.size() || now.at(i) != shipped.at(i))
                changed.insert(i, now.at(i));
        return changed;
    }

    QStringList shipped;
};

} // namespace z7::test
