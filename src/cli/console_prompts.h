#pragma once

#include <iostream>
#include <string_view>

#include <QtGlobal>

#include "document/ui_language.h"
#include "prompts/prompts.h"

namespace sp::cli {

inline constexpr const char* kUsedPictureLeftOutText = QT_TRANSLATE_NOOP(
    "Sparkplume",
    "エフェクトが使う素材「%s」を読み込めなかったため描画できません。--max-texture-memory "
    "で上限を変更できます。");

// Prompts for the headless commands: messages go to standard error.
class ConsolePrompts : public Prompts {
  public:
    explicit ConsolePrompts(std::ostream& out = std::cerr) : m_out(out) {}
    void showMessage(std::string_view text, std::string_view caption) override {
        // In the language of the command line, as the editor would show it.
        if (!caption.empty()) m_out << trMessage(caption).toStdString() << ": ";
        m_out << trMessage(text, {kUsedPictureLeftOutText}).toStdString() << '\n';
    }

  private:
    std::ostream& m_out;
};

}  // namespace sp::cli
