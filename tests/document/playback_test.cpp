// The frame loop's clock, the preview caption and the one replay.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <vector>

#include "document/app_context.h"
#include "document/frame_clock.h"
#include "document/playback.h"

namespace sp {
namespace {

TEST(FrameClock, WholeMillisecondsDecideWhenAFrameIsDue) {
    FrameClock clock;
    int32_t measured = -1;
    // The first idle pass closes the measuring second at once, with nothing counted.
    EXPECT_TRUE(clock.tick(1000, 60, measured));
    EXPECT_EQ(measured, 0);
    // At 60 frames a second a frame falls due after 17 ms (16 × 60 < 1000).
    EXPECT_FALSE(clock.tick(1016, 60, measured));
    EXPECT_EQ(clock.millisecondsUntilDue(1016, 60), 1u);
    EXPECT_TRUE(clock.tick(1017, 60, measured));
    EXPECT_EQ(clock.millisecondsUntilDue(1017, 60), 17u);

    // Frames every 17 ms for a second: 58 or 59 of them are counted.
    uint32_t now = 1017;
    while (now < 3000) {
        now += 1;
        clock.tick(now, 60, measured);
    }
    EXPECT_GE(measured, 58);
    EXPECT_LE(measured, 59);

    // At 30 frames a second: every 34 ms.
    FrameClock slow;
    slow.tick(5000, 30, measured);
    EXPECT_FALSE(slow.tick(5033, 30, measured));
    EXPECT_TRUE(slow.tick(5034, 30, measured));
}

TEST(FrameClock, TheMillisecondCounterMayWrapAround) {
    FrameClock clock;
    int32_t measured = 0;
    EXPECT_TRUE(clock.tick(0xFFFFFFF0u, 60, measured));
    EXPECT_FALSE(clock.tick(0xFFFFFFFFu, 60, measured));
    EXPECT_TRUE(clock.tick(0x00000001u, 60, measured));  // 17 ms later
}

class QuietPrompts : public Prompts {
  public:
    void showMessage(std::string_view, std::string_view) override {}
};

class PlaybackTest : public ::testing::Test {
  protected:
    PlaybackTest() : context(prompts, {temp.path().toStdString(), {}, false, {}}) {
        context.start();
    }

    ProjectState& state() { return context.document().project().state; }
    Playback& playback() { return context.playback(); }

    QTemporaryDir temp;
    QuietPrompts prompts;
    AppContext context;
};

TEST_F(PlaybackTest, TheCaptionShowsFrameRateAndZoomButNotDuringAnExportOrAWrap) {
    state().measuredFps = 58;
    state().zoom = 1.5f;
    for (int i = 0; i < 8; ++i) playback().advance();  // the New's restart, then frames 1 … 7
    EXPECT_EQ(playback().caption(), "007／030フレーム  FPS：58　150％");
    state().zoom = 0.25f;
    playback().advance();
    EXPECT_EQ(playback().caption(), "008／030フレーム  FPS：58　25％");

    state().exportInProgress = 1;
    playback().advance();
    EXPECT_EQ(playback().caption(), "008／030フレーム  FPS：58　25％");
    state().exportInProgress = 0;
    state().requestRestart();
    playback().advance();  // the wrap
    EXPECT_EQ(state().currentFrame, 0);
    EXPECT_EQ(playback().caption(), "008／030フレーム  FPS：58　25％");

    EXPECT_NE(formatPreviewCaption(state(), true).find("上限"), std::string::npos);
}

TEST_F(PlaybackTest, ReplayToRunsTheExportsFramesAndLeavesNoExportFlagBehind) {
    context.document().setNodeField(*context.document().selectedNode(), NodeFieldId::maxSpeed, 3);
    playback().replayTo(31);  // past the 30-frame loop: no wrap, as an export runs
    EXPECT_EQ(state().currentFrame, 31);
    EXPECT_EQ(state().exportInProgress, 0);
    playback().replayTo(20);
    EXPECT_EQ(state().currentFrame, 20);
    EXPECT_EQ(state().exportInProgress, 0);
    EXPECT_EQ(playback().caption().substr(0, 3), "020");  // a scrub shows where it is
    const float x = context.document().root().children[0]->particles.at(0).position.x;

    // The same frame, whatever played before it.
    for (int i = 0; i < 13; ++i) playback().advance();
    playback().replayTo(20);
    EXPECT_EQ(context.document().root().children[0]->particles.at(0).position.x, x);

    // The preview's replay wraps as the loop does.
    std::vector<int32_t> frames;
    playback().replay(
        32,
        [&](int32_t f) {
            frames.push_back(f);
            return true;
        },
        Simulation::LoopEnd::Wraps);
    EXPECT_EQ(frames[29], 30);
    EXPECT_EQ(frames[30], 0);
    EXPECT_EQ(frames[31], 1);
}

TEST_F(PlaybackTest, ASuspendedLoopCountsFramesButDoesNotRunThem) {
    playback().tick(1000);
    const int32_t frame = state().currentFrame;
    state().frameLoopSuspended = 1;
    EXPECT_TRUE(playback().tick(1017));
    EXPECT_EQ(state().currentFrame, frame);
    state().frameLoopSuspended = 0;
    EXPECT_TRUE(playback().tick(1034));
    EXPECT_NE(state().currentFrame, frame);
}

}  // namespace
}  // namespace sp
