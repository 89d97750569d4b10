// Model files damaged or edited by hand: the editor starts, warns once when
// the layout does not match, shows what it can and writes nothing by itself.

#include "tests/support/window_fixture.h"

namespace z7::test {
namespace {

std::string defaultModel()
{
    return builtinText("DE_Modell") + "\r\n";
}

std::string editLines(const std::function<void(QList<QByteArray> &)> &change)
{
    QList<QByteArray> lines = QByteArray::fromStdString(builtinText("DE_Modell")).split('\n');
    change(lines);
    return lines.join('\n').toStdString();
}

struct HostileCase
{
    const char *name;
    std::function<std::string()> model;
    bool warned;
};

class HostileModel : public WindowTest, public ::testing::WithParamInterface<HostileCase>
{};

TEST_P(HostileModel, StartsWarnsOnceAndWritesNothing)
{
    const HostileCase &c = GetParam();
    const std::string bytes = c.model();
    platform.putFile(ModelFile, bytes);
    platform.putFile(BackupFile, "game's own");
    start();
    ASSERT_EQ(result, TMain::StartResult::Run);
    const auto shown = MessageBoxSeam::shown();
    ASSERT_EQ(shown.size(), c.warned ? 1 : 0);
    if (c.warned) {
        EXPECT_TRUE(shown.first().text.startsWith(QStringLiteral("Die Modelldatei C:\\Spiele\\Z7\\z7_model.txt hat nicht den erwarteten Aufbau")));
        EXPECT_EQ(shown.first().flags, MB_ICONERROR);
    }
    EXPECT_EQ(tree()->topLevelItemCount(), 10);

    // Every entry can be selected without a crash and without a write.
    mainWidget()->show();
    QTreeWidgetItemIterator it(tree());
    QStringList captions;
    for (; *it; ++it)
        captions << (*it)->text(0);
    for (const QString &caption : captions)
        select(caption);
    EXPECT_EQ(modelBytes(), bytes);
    EXPECT_TRUE(platform.writtenFiles().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileModel,
    ::testing::Values(
        HostileCase{"intact", [] { return defaultModel(); }, false},
        HostileCase{"lfLineEnds", [] { return editLines([](auto &l) { for (auto &x : l) x.replace('\r', ""); }); }, false},
        HostileCase{"empty", [] { return std::string(); }, true},
        HostileCase{"garbage", [] {
             std::string g(4096, '\0');
             for (size_t i = 0; i < g.size(); ++i)
                 g[i] = static_cast<char>((i * 7919 + 13) % 251 + 1);
             return g;
         }, true},
        HostileCase{"utf16OddBytes", [] { return std::string("\xFF\xFE" "A\0L\0L\0 ", 9); }, true},
        HostileCase{"lineRemoved", [] { return editLines([](auto &l) { l.removeAt(40); }); }, true},
        HostileCase{"lineAdded", [] { return editLines([](auto &l) { l.insert(10, "\r"); }); }, true},
        HostileCase{"linesSwapped", [] { return editLines([](auto &l) { l.swapItemsAt(31, 32); }); }, true},
        HostileCase{"housesSwapped", [] { return editLines([](auto &l) { l.swapItemsAt(140, 141); }); }, true}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace z7::test
