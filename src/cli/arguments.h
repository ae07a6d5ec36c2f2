#pragma once

#include <QtGlobal>

#include <charconv>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "document/ui_language.h"
#include "project/file_commands.h"

namespace sp::cli {

// A text of the command line in its language, with the values put in for "%1",
// "%2" … (the option's name, a number): in Japanese the text as written here.
inline std::string cliText(const char* source,
                           std::initializer_list<std::string_view> values = {}) {
    return formatMessage(trText(source).toStdString().c_str(), values);
}

// The command line's answers to a mistake in its arguments.
inline constexpr const char* kWholeNumberFromText =
    QT_TRANSLATE_NOOP("Sparkplume", "%1 には%2以上の整数を指定してください。");
inline constexpr const char* kWholeNumberText =
    QT_TRANSLATE_NOOP("Sparkplume", "%1 には整数を指定してください。");
inline constexpr const char* kOptionMissingText =
    QT_TRANSLATE_NOOP("Sparkplume", "%1 を指定してください。");
inline constexpr const char* kUnknownOptionText =
    QT_TRANSLATE_NOOP("Sparkplume", "不明なオプションです: %1");
inline constexpr const char* kOneFileText =
    QT_TRANSLATE_NOOP("Sparkplume", "ファイルは一つだけ指定してください。");
inline constexpr const char* kFileMissingText =
    QT_TRANSLATE_NOOP("Sparkplume", "ファイルを指定してください。");

// A whole decimal number of at least `minimum`, nothing else in the text.
inline std::optional<int> parseCount(const std::string& text, int minimum) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < minimum)
        return std::nullopt;
    return value;
}

// A path given on the command line may not hold control characters (a line break
// in a file name only ever comes from a mistake, and would garble every message).
inline bool hasControlCharacters(const std::string& text) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return true;
    return false;
}

// "" when every path is usable, else the message for the first that is not.
inline std::string checkPaths(std::initializer_list<const std::string*> paths) {
    for (const std::string* path : paths)
        if (hasControlCharacters(*path))
            return cliText(
                QT_TRANSLATE_NOOP("Sparkplume", "パスに制御文字（改行など）は使えません。"));
    return "";
}

// The one warning of a run that the particle or trail limit cut short.
inline constexpr const char* kLimitWarning = QT_TRANSLATE_NOOP(
    "Sparkplume",
    "警告: 上限に達したため一部のパーティクルを省略しました（--max-particles、--max-trail-points "
    "で変更できます）。");

}  // namespace sp::cli
