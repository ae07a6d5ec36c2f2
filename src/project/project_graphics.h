#pragma once

#include "project/project.h"
#include "render/graphics.h"

namespace sp {

// Gives the project its device: every device cycle (New, Open, a size change,
// the end of an export) releases the graphics and creates them again for the
// canvas size and the background picture, before the materials are reloaded.
void attachGraphics(Project& project, render::Graphics& graphics);

}  // namespace sp
