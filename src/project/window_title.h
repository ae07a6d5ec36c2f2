#pragma once

#include <string>
#include <string_view>

namespace sp {

inline constexpr std::string_view kProgramVersion = "1.5.0　βテスト版";
inline constexpr std::string_view kUntitledFileName = "無題.spd";

// "【name】 - Sparkplume 1.5.0　βテスト版", with "】*" while the project is modified.
std::string windowTitle(std::string_view fileName, bool modified);

}  // namespace sp
