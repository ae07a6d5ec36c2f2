#include "core/text/cp932.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace sp::text {
namespace {

std::string bytes(std::initializer_list<unsigned char> values) {
    return std::string(values.begin(), values.end());
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// ---------------------------------------------------------------------------
// Conversion

TEST(Cp932Conversion, KnownCharactersHaveTheirCodePageBytes) {
    EXPECT_EQ(toCp932("ノ"), bytes({0x83, 0x6D}));
    EXPECT_EQ(toCp932("ノード1"), bytes({0x83, 0x6D, 0x81, 0x5B, 0x83, 0x68, 0x31}));
    EXPECT_EQ(toCp932("ｺﾋﾟｰ"), bytes({0xBA, 0xCB, 0xDF, 0xB0}));
    EXPECT_EQ(toCp932("abc"), std::string("abc"));
    EXPECT_EQ(toCp932(""), std::string());
}

// Names become file names, so the backslash and tilde must stay single ASCII bytes.
TEST(Cp932Conversion, BackslashAndTildeStayAscii) {
    EXPECT_EQ(toCp932("\\"), bytes({0x5C}));
    EXPECT_EQ(toCp932("~"), bytes({0x7E}));
    EXPECT_EQ(fromCp932(bytes({0x5C, 0x7E})), "\\~");
    // 表 has 0x5C as its second byte; it must decode as one character, not as a separator.
    EXPECT_EQ(toCp932("表"), bytes({0x95, 0x5C}));
    EXPECT_EQ(fromCp932(bytes({0x95, 0x5C})), "表");
}

TEST(Cp932Conversion, JapaneseTextRoundTrips) {
    for (std::string_view name :
         {"ノード1", "火花のｺﾋﾟｰ", "ｱｲｳｴｵ", "爆発_02\\煙~", "①ＡＢＣ　全角"}) {
        SCOPED_TRACE(name);
        const auto encoded = toCp932(name);
        ASSERT_TRUE(encoded.has_value());
        EXPECT_EQ(fromCp932(*encoded), name);
        EXPECT_TRUE(isCp932Encodable(name));
    }
}

TEST(Cp932Conversion, TextOutsideTheCodePageIsRefused) {
    // Emoji, Hangul and the euro sign have no CP932 code; the last two are broken UTF-8.
    for (std::string_view name : {"火花😀", "한국어", "ノード\xE2\x82\xAC", "ab\xFF", "\xE3\x83"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(toCp932(name).has_value());
        EXPECT_FALSE(isCp932Encodable(name));
        EXPECT_FALSE(cp932Length(name).has_value());
    }
}

TEST(Cp932Conversion, InvalidBytesDecodeToReplacementCharacters) {
    // A lead byte at the very end.
    EXPECT_EQ(fromCp932(bytes({0x41, 0x83})), std::string("A") + std::string(kReplacement));
    // Bytes that are never part of a character.
    EXPECT_EQ(fromCp932(bytes({0xFF})), kReplacement);
    EXPECT_EQ(fromCp932(bytes({0x80})), kReplacement);
    // A lead byte followed by something that cannot be its second byte.
    const std::string decoded = fromCp932(bytes({0x81, 0x20, 0x83, 0x6D}));
    EXPECT_NE(decoded.find(kReplacement), std::string::npos);
    EXPECT_EQ(decoded.substr(decoded.size() - 4), " ノ");
}

TEST(Cp932Conversion, AnyByteSequenceDecodesToTextThatCanBeSavedAgain) {
    std::string all;
    for (int b = 255; b >= 0; --b) all.push_back(static_cast<char>(b));
    for (int b = 1; b < 256; b += 3) all.push_back(static_cast<char>(b));
    std::string decoded = fromCp932(all);
    EXPECT_NE(decoded.find(kReplacement), std::string::npos);
    // Apart from the replacement characters, everything decoded encodes again.
    for (auto at = decoded.find(kReplacement); at != std::string::npos;
         at = decoded.find(kReplacement)) {
        decoded.erase(at, kReplacement.size());
    }
    EXPECT_FALSE(decoded.empty());
    EXPECT_TRUE(isCp932Encodable(decoded));
}

// ---------------------------------------------------------------------------
// Lengths and truncation

TEST(Cp932Truncation, LengthCountsCodePageBytes) {
    EXPECT_EQ(cp932Length(""), 0u);
    EXPECT_EQ(cp932Length("Node 1"), 6u);
    EXPECT_EQ(cp932Length("ノード1"), 7u);      // 9 + 1 bytes in UTF-8
    EXPECT_EQ(cp932Length("火花のｺﾋﾟｰ"), 10u);  // half-width katakana take one byte
    EXPECT_EQ(cp932Length("\\~"), 2u);
}

TEST(Cp932Truncation, TextThatFitsIsReturnedUnchanged) {
    EXPECT_EQ(truncateToCp932Bytes("ノード1", 7), "ノード1");
    EXPECT_EQ(truncateToCp932Bytes("ノード1", 259), "ノード1");
    EXPECT_EQ(truncateToCp932Bytes("", 0), "");

    std::string exact;
    for (int i = 0; i < 129; ++i) exact += "火";
    exact += "a";
    ASSERT_EQ(cp932Length(exact), 259u);
    EXPECT_EQ(truncateToCp932Bytes(exact, 259), exact);
}

TEST(Cp932Truncation, NeverSplitsADoubleByteCharacter) {
    std::string name;
    for (int i = 0; i < 130; ++i) name += "ノ";
    ASSERT_EQ(cp932Length(name), 260u);

    const std::string cut = truncateToCp932Bytes(name, 259);
    std::string expected;
    for (int i = 0; i < 129; ++i) expected += "ノ";
    EXPECT_EQ(cut, expected);
    EXPECT_EQ(cp932Length(cut), 258u);

    EXPECT_EQ(truncateToCp932Bytes("ノード", 1), "");
    EXPECT_EQ(truncateToCp932Bytes("ノード", 3), "ノ");
    EXPECT_EQ(truncateToCp932Bytes("ノード", 0), "");
}

TEST(Cp932Truncation, MixedWidthsAreCountedByTheirOwnSize) {
    // a(1) ノ(2) ｺ(1) 火(2) b(1) \(1)
    const std::string_view mixed = "aノｺ火b\\";
    ASSERT_EQ(cp932Length(mixed), 8u);
    EXPECT_EQ(truncateToCp932Bytes(mixed, 1), "a");
    EXPECT_EQ(truncateToCp932Bytes(mixed, 2), "a");
    EXPECT_EQ(truncateToCp932Bytes(mixed, 3), "aノ");
    EXPECT_EQ(truncateToCp932Bytes(mixed, 4), "aノｺ");
    EXPECT_EQ(truncateToCp932Bytes(mixed, 5), "aノｺ");
    EXPECT_EQ(truncateToCp932Bytes(mixed, 6), "aノｺ火");
    EXPECT_EQ(truncateToCp932Bytes(mixed, 7), "aノｺ火b");
    EXPECT_EQ(truncateToCp932Bytes(mixed, 8), mixed);

    // Long names with an odd number of single-byte characters in front.
    std::string odd(127, 'x');
    std::string even(128, 'x');
    for (int i = 0; i < 70; ++i) {
        odd += "煙";
        even += "煙";
    }
    EXPECT_EQ(cp932Length(truncateToCp932Bytes(odd, 259)), 259u);   // 127 + 2 × 66
    EXPECT_EQ(cp932Length(truncateToCp932Bytes(even, 259)), 258u);  // 128 + 2 × 65
    EXPECT_EQ(truncateToCp932Bytes(even, 259), even.substr(0, 128 + 3 * 65));
}

}  // namespace
}  // namespace sp::text
