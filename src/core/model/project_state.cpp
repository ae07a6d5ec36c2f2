#include "core/model/project_state.h"

namespace sp {

void ProjectState::resetHeaderForNewProject() {
    const int32_t seed = randomSeed;
    header() = ProjectHeader{};
    randomSeed = seed;
}

}  // namespace sp
