#include "project/project_graphics.h"

namespace sp {

void attachGraphics(Project& project, render::Graphics& graphics) {
    project.onGraphicsCycle = [&project, &graphics] {
        graphics.releaseGraphics();
        graphics.createGraphics(project.state.projectWidth, project.state.projectHeight,
                                project.state.backgroundImagePath);
    };
}

}  // namespace sp
