#pragma once

#include <optional>
#include <string>

#include "document/ui_language.h"

namespace sp {

// Runs the editor until its window is closed, opening `file` after the new
// project when it is not empty, in `language` when one is given (else the
// menu's last choice, else the desktop's). Returns the process exit status.
int runEditor(int argc, char** argv, const std::string& file,
              std::optional<UiLanguage> language = std::nullopt);

}  // namespace sp
