#include "platform/clock.h"
#include "platform/help_window.h"
#include "platform/window.h"
#include "resources/menu.h"
#include "shell/game.h"
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A menu text as a reader sees it: without the access-key mark and the spaces around it.
std::string readable(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        folder_ = fs::temp_directory_path() / ("tamaro-help-" + std::to_string(getpid()));
        fs::create_directories(folder_);
        fs::current_path(folder_);
        platform::Clock::instance().simulate(1765432100);
        window.create(windowTitle, mainMenu, "TM_ICON");
        window.send(platform::Message{platform::MessageKind::Command, command::Help, 0, {}});
    }

    void TearDown() override
    {
        platform::HelpWindow::closeActive();
        program.game.reset();
        platform::Clock::instance().useRealTime();
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

    // The text of every page the table of contents leads to.
    std::string wholeDocument()
    {
        platform::HelpWindow& help = *platform::HelpWindow::active();
        std::string text;
        for (int row = 0; row < static_cast<int>(help.contentsTitles().size()); ++row) {
            help.chooseTopic(row);
            text += help.pageText();
        }
        return text;
    }

    fs::path previous_;
    fs::path folder_;
    Program program;
    platform::Window window{procedureFor(program)};
};

TEST_F(HelpTest, theMenuCommandOpensTheHelpOnItsContentsPage)
{
    platform::HelpWindow* help = platform::HelpWindow::active();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->currentPage(), "index.html");
    EXPECT_EQ(help->caption(), "タマロのヘルプ");
    EXPECT_NE(help->pageText().find("目次"), std::string::npos);

    help->chooseTopic(5);
    EXPECT_EQ(help->currentPage(), "keys.html");
    window.send(platform::Message{platform::MessageKind::Command, command::Help, 0, {}});
    EXPECT_EQ(platform::HelpWindow::active(), help);
    EXPECT_EQ(help->currentPage(), "index.html");
}

TEST_F(HelpTest, theDocumentTeachesEveryPatternBothKeyLayoutsAndEveryMenuItem)
{
    const std::string text = wholeDocument();
    for (const char* name : patternNamesUtf8)
        EXPECT_NE(text.find(name), std::string::npos) << name;
    for (const char* layout : {"タイプ１", "スペースキーで落下します。", "タイプ２",
                               "［↓］キーもしくは［２］キーで落下します。", "テンキー"})
        EXPECT_NE(text.find(layout), std::string::npos) << layout;
    for (const platform::MenuItemTemplate& item : mainMenu) {
        if (item.text[0] != '\0') {
            EXPECT_NE(text.find(readable(item.text)), std::string::npos) << readable(item.text);
        }
    }
    for (const char* point : {"100", "200", "600", "1500", "700", "2000", "500", "400", "800", "900"})
        EXPECT_NE(text.find(std::string("点数：") + point), std::string::npos) << point;
}

TEST_F(HelpTest, theIndexLeadsFromEachPatternNameToItsPage)
{
    platform::HelpWindow& help = *platform::HelpWindow::active();
    const std::vector<std::string> words = help.indexWords();
    for (std::size_t k = 0; k < patternNamesUtf8.size(); ++k) {
        const auto at = std::find(words.begin(), words.end(), patternNamesUtf8[k]);
        ASSERT_NE(at, words.end()) << patternNamesUtf8[k];
        help.chooseKeyword(static_cast<int>(at - words.begin()));
        EXPECT_EQ(help.currentPage(), "patterns.html#p" + std::to_string(k + 1));
        EXPECT_NE(help.pageText().find(patternNamesUtf8[k]), std::string::npos);
    }
}

} // namespace
