#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sp::text {

// Names live as UTF-8 in memory and on disk, but project files store them in
// code page 932, and their length limits are counted in CP932 bytes.

// UTF-8 to CP932; nullopt when the text holds a character CP932 cannot encode
// or is not valid UTF-8.
std::optional<std::string> toCp932(std::string_view utf8);

// CP932 to UTF-8; a byte sequence that is not CP932 becomes U+FFFD, so any
// input gives readable text.
std::string fromCp932(std::string_view cp932);

// Whether every character of the UTF-8 text can be written in CP932.
bool isCp932Encodable(std::string_view utf8);

// The number of bytes the text takes in CP932 (nullopt if not encodable).
std::optional<std::size_t> cp932Length(std::string_view utf8);

// Cuts an encodable UTF-8 text so that it takes at most maxBytes in CP932,
// always at a character boundary.
std::string truncateToCp932Bytes(std::string_view utf8, std::size_t maxBytes);

}  // namespace sp::text
