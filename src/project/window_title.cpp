#include "project/window_title.h"

namespace sp {

std::string windowTitle(std::string_view fileName, bool modified) {
    std::string title = "【";
    title += fileName;
    title += modified ? "】* - Sparkplume " : "】 - Sparkplume ";
    title += kProgramVersion;
    return title;
}

}  // namespace sp
