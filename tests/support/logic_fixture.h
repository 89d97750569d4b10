#pragma once

// The main window's logic on the window in memory and the platform in memory:
// the game registered at C:\Spiele\Z7, its executable present, the guide
// already in the Documents folder. No toolkit is involved, so these tests run
// the same natively and, cross-compiled, under Wine.

#include "app/tmain.h"
#include "model/text.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_window.h"
#include "tests/support/test_resources.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace z7::test {

inline const std::string AppPathsKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe";
inline const std::string Game = "C:\\Spiele\\Z7\\";
inline const std::string ModelFile = Game + "z7_model.txt";
inline const std::string BackupFile = Game + "z7_model.bak";
inline const std::string Documents = "C:\\users\\spieler\\Documents\\";
inline const std::string GuideFile = Documents + "Tellmar Modell Dateien.pdf";

// A built-in resource's bytes, as the programs carry them.
inline std::string shippedBytes(std::u16string_view type, std::u16string_view name)
{
    return TestResources::shipped().bytes(type, name).value_or("<missing>");
}
inline std::string shippedText(std::u16string_view name)
{
    return shippedBytes(u"RT_RCDATA", name);
}

// The main window with the handles of its two font registrations played by
// the test; without one, the window in memory registers the font.
class LogicMain : public TMain
{
public:
    using TMain::TMain;
    std::optional<int> firstFont, secondFont;
    int RegisterFontResource(std::u16string_view type, std::u16string_view name) override
    {
        const std::optional<int> &played = type == u"Z7" ? firstFont : secondFont;
        return played ? *played : TMain::RegisterFontResource(type, name);
    }
};

class LogicTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform.setRegistryText(AppPathsKey, "Path", "C:\\Spiele\\Z7");
        platform.putFile(Game + "z7.exe", "");
        platform.putFile(GuideFile, "guide");
    }

    // A new window and its logic, not yet started; a second call is the next
    // start of the program on the same platform.
    LogicMain &create()
    {
        main.reset();
        window = std::make_unique<FakeWindow>();
        main = std::make_unique<LogicMain>(platform, *window, TestResources::shipped());
        return *main;
    }
    LogicMain &start()
    {
        create();
        result = main->FormCreate();
        return *main;
    }

    std::string modelBytes() const
    {
        return platform.fileContents(ModelFile).value_or("<missing>");
    }
    std::vector<std::string> modelLines() const
    {
        std::vector<std::string> lines;
        const std::string bytes = modelBytes();
        for (std::size_t begin = 0;;) {
            const std::size_t end = bytes.find("\r\n", begin);
            lines.push_back(bytes.substr(begin, end - begin));
            if (end == std::string::npos)
                return lines;
            begin = end + 2;
        }
    }

    // The texts of the message boxes shown so far, in UTF-8 for readable failures.
    std::vector<std::string> shownTexts() const
    {
        std::vector<std::string> texts;
        for (const FakeWindow::Shown &s : window->shown())
            texts.push_back(ToUtf8(s.text));
        return texts;
    }

    int node(std::u16string_view caption) const { return window->nodeIndex(caption); }
    // Selects the entry of that caption as a click in the tree does.
    void select(std::u16string_view caption)
    {
        const int index = node(caption);
        ASSERT_GE(index, 0) << ToUtf8(caption);
        window->select(index);
    }
    std::u16string selectedCaption() const
    {
        return window->treeNode(window->selectedNode()).caption;
    }

    std::u16string text(std::u16string_view control) const { return window->text(control); }
    bool shown(std::u16string_view control) const { return window->visible(control); }

    FakePlatform platform;
    // Destroyed from the last: the logic before the window it was given.
    std::unique_ptr<FakeWindow> window;
    std::unique_ptr<LogicMain> main;
    TMain::StartResult result = TMain::StartResult::Run;
};

// Started on the default model with nothing shown yet: the model file's lines
// are compared with what it held right after the start.
class LogicEditing : public LogicTest
{
protected:
    void SetUp() override
    {
        LogicTest::SetUp();
        start();
        ASSERT_EQ(result, TMain::StartResult::Run);
        ASSERT_TRUE(window->shown().empty()) << shownTexts().front();
        installed = modelLines();
    }

    // The lines of the model file that differ from the installed default, by index.
    std::map<int, std::string> changedLines() const
    {
        std::map<int, std::string> changed;
        const std::vector<std::string> now = modelLines();
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (i >= installed.size() || now[i] != installed[i])
                changed.emplace(int(i), now[i]);
        }
        return changed;
    }
    bool dirty() { return main->editor().IsDirty(); }

    std::vector<std::string> installed;
};

} // namespace z7::test
