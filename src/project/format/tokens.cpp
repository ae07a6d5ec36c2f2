#include "project/format/tokens.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace sp::format {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view skipBlanks(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    return s.substr(i);
}

}  // namespace

void TokenWriter::integer(int64_t value) {
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_out.append(buffer, end);
    m_out += ',';
}

void TokenWriter::real(float value) {
    // Exactly what "%f" writes in the C locale, independent of the process locale.
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                   std::chars_format::fixed, 6);
    m_out.append(buffer, ec == std::errc() ? end : buffer);
    m_out += ',';
}

void TokenWriter::text(std::string_view bytes) {
    m_out.append(bytes);
    m_out += ',';
}

void TokenWriter::rawBlock(std::string_view bytes) {
    integer(static_cast<int64_t>(bytes.size()));
    m_out.append(bytes);
}

std::optional<std::string_view> TokenReader::token() {
    if (m_failed) return std::nullopt;
    for (std::size_t i = m_pos; i < m_data.size(); ++i) {
        const char c = m_data[i];
        if (c == ',' || c == '\n' || c == '\0') {
            std::string_view t = m_data.substr(m_pos, i - m_pos);
            m_pos = i + 1;
            return t;
        }
    }
    m_failed = true;  // a token cut off by the end of the data
    return std::nullopt;
}

std::optional<int32_t> TokenReader::integer() {
    auto t = token();
    if (!t) return std::nullopt;
    return parseInteger(*t);
}

std::optional<float> TokenReader::real() {
    auto t = token();
    if (!t) return std::nullopt;
    return static_cast<float>(parseReal(*t));
}

std::optional<std::string_view> TokenReader::rawBlock() {
    auto count = integer();
    if (!count) return std::nullopt;
    if (*count < 0 || static_cast<std::size_t>(*count) > remaining()) {
        m_failed = true;
        return std::nullopt;
    }
    std::string_view block = m_data.substr(m_pos, static_cast<std::size_t>(*count));
    m_pos += block.size();
    return block;
}

int32_t parseInteger(std::string_view token) {
    std::string_view s = skipBlanks(token);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    int64_t value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) value = 2147483648LL;  // saturate; keep reading the digits
    }
    if (negative) value = -value;
    if (value > 2147483647LL) value = 2147483647LL;
    return static_cast<int32_t>(value);
}

double parseReal(std::string_view token) {
    std::string_view s = skipBlanks(token);
    if (!s.empty() && s[0] == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s[0] == '-') return 0.0;  // "+-1" is no number
    }
    double value = 0.0;
    auto [end, ec] =
        std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Overflow reads as infinity and underflow as zero, as strtod gives them.
        const bool negative = !s.empty() && s[0] == '-';
        const std::size_t e = s.find_first_of("eE");
        const bool underflow = e != std::string_view::npos && e + 1 < s.size() && s[e + 1] == '-';
        if (underflow) return negative ? -0.0 : 0.0;
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (ec != std::errc()) return 0.0;
    return value;
}

}  // namespace sp::format
