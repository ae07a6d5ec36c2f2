#pragma once

#include <QtGlobal>

#include <string>
#include <string_view>

namespace sp {

inline constexpr std::string_view kProgramVersion =
    QT_TRANSLATE_NOOP("Sparkplume", "1.5.0　βテスト版");
inline constexpr std::string_view kUntitledFileName = QT_TRANSLATE_NOOP("Sparkplume", "無題.spd");

// "【name】 - Sparkplume 1.5.0　βテスト版", with "】*" while the project is modified.
std::string windowTitle(std::string_view fileName, bool modified);

}  // namespace sp
