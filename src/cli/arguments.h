#pragma once

#include <charconv>
#include <optional>
#include <string>

namespace sp::cli {

// A whole decimal number of at least `minimum`, nothing else in the text.
inline std::optional<int> parseCount(const std::string& text, int minimum) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < minimum)
        return std::nullopt;
    return value;
}

}  // namespace sp::cli
