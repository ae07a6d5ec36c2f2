#include "cli/limit_options.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/demo_command.h"

namespace sp::cli {
namespace {

TEST(LimitOptions, TakesBothLimitsAndLeavesOtherArguments) {
    std::vector<std::string> args{"file.spd", "--max-particles",    "5000000", "--frames",
                                  "3",        "--max-trail-points", "7"};
    SimulationLimits limits;
    EXPECT_EQ(takeLimitOptions(args, limits), "");
    EXPECT_EQ(limits.maxLiveParticles, 5'000'000u);
    EXPECT_EQ(limits.maxTrailPoints, 7u);
    EXPECT_EQ(args, (std::vector<std::string>{"file.spd", "--frames", "3"}));
}

TEST(LimitOptions, RefusesMissingZeroAndMalformedNumbers) {
    for (std::vector<std::string> args : {std::vector<std::string>{"--max-particles"},
                                          std::vector<std::string>{"--max-particles", "0"},
                                          std::vector<std::string>{"--max-trail-points", "12x"},
                                          std::vector<std::string>{"--max-trail-points", "-3"}}) {
        SimulationLimits limits;
        EXPECT_NE(takeLimitOptions(args, limits), "") << args[0];
        EXPECT_EQ(limits.maxLiveParticles, SimulationLimits{}.maxLiveParticles);
    }
}

TEST(LimitOptions, TakesTheDrawingThreads) {
    std::vector<std::string> args{"a.spd", "--threads", "3", "--frame", "2"};
    CommandLimits limits;
    EXPECT_EQ(limits.drawThreads, 0u);  // one per core unless told
    EXPECT_EQ(takeLimitOptions(args, limits), "");
    EXPECT_EQ(limits.drawThreads, 3u);
    EXPECT_EQ(args, (std::vector<std::string>{"a.spd", "--frame", "2"}));
    for (std::vector<std::string> bad :
         {std::vector<std::string>{"--threads", "0"}, std::vector<std::string>{"--threads"},
          std::vector<std::string>{"--threads", "two"}}) {
        CommandLimits other;
        EXPECT_NE(takeLimitOptions(bad, other), "") << bad.size();
    }
}

TEST(LimitOptions, ATightLimitIsReportedByTheDemo) {
    std::ostringstream out;
    runDemo(out, SimulationLimits{50, 20'000'000});
    EXPECT_NE(out.str().find("上限に達した"), std::string::npos);
}

}  // namespace
}  // namespace sp::cli
