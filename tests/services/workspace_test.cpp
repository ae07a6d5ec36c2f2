#include "project/workspace.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "services_test_support.h"

namespace sp {
namespace {

using namespace sp::testing;

TEST(Workspace, TheEnvironmentChoosesTheLocation) {
    setenv("SPARKPLUME_WORKSPACE", "/tmp/somewhere/ws", 1);
    EXPECT_EQ(Workspace::defaultLocation(), std::filesystem::path("/tmp/somewhere/ws"));
    unsetenv("SPARKPLUME_WORKSPACE");
    EXPECT_EQ(Workspace::defaultLocation().filename(), "Sparkplume");
}

TEST(Workspace, TheSeedFolderIsCopiedFileByFileOverwriting) {
    QTemporaryDir temp;
    const auto seed = pathOf(temp) / "WorkSpace";
    std::filesystem::create_directories(seed / "RENDER" / "deep");
    writeFile(seed / "RENDER" / "render.ini", "new");
    writeFile(seed / "RENDER" / "deep" / "tool", "t");
    Workspace workspace(pathOf(temp) / "user" / "Sparkplume");
    std::filesystem::create_directories(workspace.renderDir());
    writeFile(workspace.renderDir() / "render.ini", "old");
    writeFile(workspace.renderDir() / "mine.txt", "kept");

    ASSERT_TRUE(workspace.copyFrom(seed));
    EXPECT_EQ(readFile(workspace.renderDir() / "render.ini"), "new");
    EXPECT_EQ(readFile(workspace.renderDir() / "deep" / "tool"), "t");
    EXPECT_EQ(readFile(workspace.renderDir() / "mine.txt"), "kept");
    EXPECT_FALSE(workspace.copyFrom(pathOf(temp) / "missing"));

    // A WorkSpace in the current folder is never taken: its programs would be run.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(pathOf(temp));
    EXPECT_EQ(Workspace::findSeedFolder("/nonexistent"), std::nullopt);
    EXPECT_EQ(Workspace::findSeedFolder(pathOf(temp)), seed);
    std::filesystem::current_path(previous);
}

TEST(Workspace, AFolderThatCannotBeMadeIsReported) {
    QTemporaryDir temp;
    writeFile(pathOf(temp) / "file", "x");
    Workspace blocked(pathOf(temp) / "file" / "Sparkplume");
    EXPECT_FALSE(blocked.ensureExists());
    EXPECT_FALSE(blocked.copyFrom(pathOf(temp)));
}

}  // namespace
}  // namespace sp
