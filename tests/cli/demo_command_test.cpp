#include "cli/demo_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace sp::cli {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

TEST(DemoCommand, PrintsOneLineOfCountsPerFrameAndIsRepeatable) {
    std::ostringstream first, second;
    ASSERT_EQ(runDemo(first), 0);
    ASSERT_EQ(runDemo(second), 0);
    EXPECT_EQ(first.str(), second.str());

    const auto rows = lines(first.str());
    ASSERT_EQ(rows.size(), 31u);  // a heading and frames 1..30
    EXPECT_NE(rows[0].find("火花"), std::string::npos);
    EXPECT_EQ(rows[1].substr(0, 3), "  1");
    EXPECT_EQ(rows[30].substr(0, 3), " 30");
    // The sparks appear once the burst has started.
    bool sparksSeen = false;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        std::istringstream row(rows[i]);
        int frame = 0, burst = 0, sparks = 0;
        row >> frame >> burst >> sparks;
        if (sparks > 0) sparksSeen = true;
        if (burst == 0) {
            EXPECT_EQ(sparks, 0) << rows[i];
        }
    }
    EXPECT_TRUE(sparksSeen);
}

}  // namespace
}  // namespace sp::cli
