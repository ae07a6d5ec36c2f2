#include "core/text/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace sp::text {
namespace {

// glibc's "CP932" keeps 0x5C as the backslash ("SHIFT_JIS" would map it to the yen sign).
constexpr const char* kCp932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";

class Converter {
  public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; on an invalid sequence calls onInvalid(out, in, left), which
    // either returns false (give up) or consumes bytes and returns true.
    template <typename OnInvalid>
    bool convert(std::string_view in, std::string& out, OnInvalid onInvalid) {
        if (!valid()) return false;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t left = in.size();
        std::vector<char> buffer(in.size() * 4 + 16);
        while (left > 0) {
            char* dst = buffer.data();
            std::size_t room = buffer.size();
            std::size_t r = iconv(m_cd, &src, &left, &dst, &room);
            out.append(buffer.data(), dst);
            if (r != static_cast<std::size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            if (!onInvalid(out, src, left)) return false;
        }
        return true;
    }

  private:
    iconv_t m_cd;
};

std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

}  // namespace

std::optional<std::string> toCp932(std::string_view utf8) {
    Converter converter(kCp932, kUtf8);
    std::string out;
    bool ok =
        converter.convert(utf8, out, [](std::string&, char*&, std::size_t&) { return false; });
    if (!ok) return std::nullopt;
    return out;
}

std::string fromCp932(std::string_view cp932) {
    Converter converter(kUtf8, kCp932);
    std::string out;
    converter.convert(cp932, out, [](std::string& o, char*& src, std::size_t& left) {
        o += "\xEF\xBF\xBD";  // U+FFFD
        ++src;
        --left;
        return true;
    });
    return out;
}

bool isCp932Encodable(std::string_view utf8) {
    return toCp932(utf8).has_value();
}

std::optional<std::size_t> cp932Length(std::string_view utf8) {
    auto encoded = toCp932(utf8);
    if (!encoded) return std::nullopt;
    return encoded->size();
}

std::string truncateToCp932Bytes(std::string_view utf8, std::size_t maxBytes) {
    if (auto whole = cp932Length(utf8); whole && *whole <= maxBytes) return std::string(utf8);
    std::string result;
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t len = utf8SequenceLength(static_cast<unsigned char>(utf8[pos]));
        if (pos + len > utf8.size()) break;
        std::string_view character = utf8.substr(pos, len);
        auto encoded = cp932Length(character);
        std::size_t bytes = encoded ? *encoded : len;
        if (used + bytes > maxBytes) break;
        result.append(character);
        used += bytes;
        pos += len;
    }
    return result;
}

}  // namespace sp::text
