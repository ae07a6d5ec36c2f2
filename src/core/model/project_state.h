#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sp {

// The ten values a project file saves, in file order, with their values after New.
struct ProjectHeader {
    int32_t projectWidth = 256;
    int32_t projectHeight = 256;
    int32_t frameCount = 30;
    int32_t emitX = 128;
    int32_t emitY = 128;
    int32_t previewFps = 60;
    int32_t backgroundRed = 0;
    int32_t backgroundGreen = 0;
    int32_t backgroundBlue = 0;
    int32_t randomSeed = 0;

    bool operator==(const ProjectHeader&) const = default;
};

// The project header and the runtime values around it.
struct ProjectState : ProjectHeader {
    ProjectHeader& header() { return *this; }
    const ProjectHeader& header() const { return *this; }

    // Runtime values, never saved.
    int32_t currentFrame = 0;
    float zoom = 1.0f;
    int32_t measuredFps = 0;
    int32_t frameLoopSuspended = 0;
    int32_t exportInProgress = 0;
    std::string backgroundImagePath;
    int32_t backgroundOriginalSize = 0;

    // The last entry stands for the largest zoom that fits the window.
    static constexpr std::array<float, 11> zoomSteps{0.25f, 0.5f, 0.75f, 1.0f, 1.5f,   2.0f,
                                                     3.0f,  4.0f, 6.0f,  8.0f, 9999.0f};

    // Open and reseed force the wrap with this frame number.
    static constexpr int32_t kForcedWrapFrame = 9999;

    // Gives the header the values of a new project; the seed is kept.
    void resetHeaderForNewProject();

    // The next per-frame update wraps and replays the effect from its first frame.
    void requestRestart() { currentFrame = frameCount; }

    // The preview and export rate; a stored rate below 1 would never let a frame fall due.
    int32_t effectiveFps() const { return previewFps < 1 ? 1 : previewFps; }
};

}  // namespace sp
