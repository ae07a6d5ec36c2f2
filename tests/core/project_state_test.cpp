#include "core/model/project_state.h"

#include <gtest/gtest.h>

namespace sp {
namespace {

TEST(ProjectState, NewProjectResetsTheHeaderButKeepsTheSeed) {
    ProjectState state;
    state.projectWidth = 640;
    state.frameCount = 90;
    state.emitX = 3;
    state.previewFps = 24;
    state.backgroundBlue = 200;
    state.randomSeed = 17;
    state.resetHeaderForNewProject();
    EXPECT_EQ(state.projectWidth, 256);
    EXPECT_EQ(state.projectHeight, 256);
    EXPECT_EQ(state.frameCount, 30);
    EXPECT_EQ(state.emitX, 128);
    EXPECT_EQ(state.previewFps, 60);
    EXPECT_EQ(state.backgroundBlue, 0);
    EXPECT_EQ(state.randomSeed, 17);
}

TEST(ProjectState, ARateBelowOneIsReadAsOne) {
    ProjectState state;
    for (int fps : {0, -5}) {
        state.previewFps = fps;
        EXPECT_EQ(state.effectiveFps(), 1);
    }
    state.previewFps = 24;
    EXPECT_EQ(state.effectiveFps(), 24);
}

}  // namespace
}  // namespace sp
