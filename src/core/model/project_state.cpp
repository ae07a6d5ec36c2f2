#include "core/model/project_state.h"

namespace sp {

void ProjectState::resetHeaderForNewProject() {
    const int32_t seed = randomSeed;
    const ProjectState fresh;
    projectWidth = fresh.projectWidth;
    projectHeight = fresh.projectHeight;
    frameCount = fresh.frameCount;
    emitX = fresh.emitX;
    emitY = fresh.emitY;
    previewFps = fresh.previewFps;
    backgroundRed = fresh.backgroundRed;
    backgroundGreen = fresh.backgroundGreen;
    backgroundBlue = fresh.backgroundBlue;
    randomSeed = seed;
}

}  // namespace sp
