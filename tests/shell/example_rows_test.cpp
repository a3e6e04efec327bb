#include "patterns/row_evaluator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

// Every example row the help pictures stands under the pattern it forms.
TEST(HelpExampleRows, eachPictureClassifiesAsThePatternOfItsSection)
{
    std::ifstream page(std::string(std::getenv("TAMARO_SOURCE_DIR")) + "/resources/help/patterns.html");
    ASSERT_TRUE(page.good());
    std::stringstream text;
    text << page.rdbuf();
    const std::string html = text.str();

    const std::regex item(R"re(<a name="p(\d+)">|<img src="row:([ryb]{7})")re");
    const std::map<char, std::int32_t> codeOf{{'r', 1}, {'y', 2}, {'b', 3}};
    int section = 0;
    std::map<int, int> rowsPerSection;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), item); it != std::sregex_iterator(); ++it) {
        if ((*it)[1].matched) {
            section = std::stoi((*it)[1].str());
            continue;
        }
        const std::string letters = (*it)[2].str();
        RowCodes row{};
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = codeOf.at(letters[i]);
        EXPECT_EQ(static_cast<int>(classifyRow(row)), section) << letters;
        ++rowsPerSection[section];
    }
    EXPECT_EQ(rowsPerSection.size(), 10u) << "every pattern shows at least one row";
    int rows = 0;
    for (const auto& [pattern, count] : rowsPerSection)
        rows += count;
    EXPECT_EQ(rows, 23);
}
