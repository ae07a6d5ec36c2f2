#pragma once

#include <iostream>
#include <string_view>

#include "prompts/prompts.h"

namespace sp::cli {

// Prompts for the headless commands: messages go to standard error.
class ConsolePrompts : public Prompts {
  public:
    explicit ConsolePrompts(std::ostream& out = std::cerr) : m_out(out) {}
    void showMessage(std::string_view text, std::string_view caption) override {
        if (!caption.empty()) m_out << caption << ": ";
        m_out << text << '\n';
    }

  private:
    std::ostream& m_out;
};

}  // namespace sp::cli
