#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sp::format {

// Both layers of a project file are tokens, each followed by one comma. Numbers
// are written and read in the C locale whatever the process locale is.
class TokenWriter {
  public:
    void integer(int64_t value);
    void real(float value);                 // fixed notation, six decimals: 12.5 → "12.500000"
    void text(std::string_view bytes);      // raw bytes; the caller keeps separators out
    void rawBlock(std::string_view bytes);  // byte count, then the bytes with no separator

    const std::string& data() const { return m_out; }
    std::string take() { return std::move(m_out); }

  private:
    std::string m_out;
};

// Reads tokens without ever running past the data: every read that would
// returns nullopt, and the reader stays failed from then on.
class TokenReader {
  public:
    explicit TokenReader(std::string_view data) : m_data(data) {}

    // The next token: up to the first comma, line feed or zero byte, which is skipped.
    std::optional<std::string_view> token();
    std::optional<int32_t> integer();            // a token read as C atoi reads it
    std::optional<float> real();                 // a token read as C atof reads it
    std::optional<std::string_view> rawBlock();  // a byte count token and that many bytes

    std::size_t remaining() const { return m_data.size() - m_pos; }
    std::size_t size() const { return m_data.size(); }
    bool failed() const { return m_failed; }

  private:
    std::string_view m_data;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

// C atoi semantics (leading blanks, a sign, digits up to the first other byte;
// no number reads as 0), saturating instead of overflowing.
int32_t parseInteger(std::string_view token);

// C atof semantics in the C locale: leading blanks, then the longest number; 0 if none.
double parseReal(std::string_view token);

}  // namespace sp::format
