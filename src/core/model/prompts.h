#pragma once

#include <string_view>

namespace sp {

// Everything that asks or tells the user something goes through this interface,
// so that every service runs the same way in the editor, the command line and tests.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A message box with an OK button.
    virtual void showMessage(std::string_view text, std::string_view caption) = 0;
};

}  // namespace sp
