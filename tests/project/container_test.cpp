#include "project/format/container.h"

#include <gtest/gtest.h>

#include "core/text/cp932.h"

namespace sp::format {
namespace {

std::string pack(const std::vector<ContainerEntry>& entries) {
    auto packed = packContainer(entries);
    EXPECT_TRUE(packed.has_value());
    return packed.value_or("");
}

TEST(Container, OneEntryProjectLayout) {
    const std::string file = pack({{"save.png", "1,2,"}});
    EXPECT_EQ(file, "SparkplumeData,4,1,save.png,4,1,2,");
    const ParsedContainer parsed = parseContainer(file);
    ASSERT_EQ(parsed.status, ContainerStatus::Ok);
    EXPECT_EQ(parsed.version, 4);
    ASSERT_EQ(parsed.entries.size(), 1u);
    EXPECT_EQ(findEffectData(parsed)->bytes, "1,2,");
}

TEST(Container, RawBlocksMayHoldSeparatorsAndNamesAreCp932Inside) {
    const std::string picture("\x89PNG\r\n\x1a\n,,\0\n", 12);
    const std::string file = pack({{"火花.png.png", picture}, {"save.png", "x,"}});
    EXPECT_NE(file.find(*text::toCp932("火花.png.png")), std::string::npos);
    const ParsedContainer parsed = parseContainer(file);
    ASSERT_EQ(parsed.status, ContainerStatus::Ok);
    EXPECT_EQ(parsed.entries[0].name, "火花.png.png");
    EXPECT_EQ(parsed.entries[0].bytes, picture);
    EXPECT_EQ(pack(parsed.entries), file);
}

TEST(Container, VersionRules) {
    for (const char* version : {"0", "4", "-2", "x", "3"}) {
        const std::string file = std::string("SparkplumeData,") + version + ",1,save.png,0,";
        EXPECT_EQ(parseContainer(file).status, ContainerStatus::Ok) << version;
    }
    EXPECT_EQ(parseContainer("SparkplumeData,5,1,save.png,0,").status,
              ContainerStatus::NewerVersion);
    EXPECT_EQ(parseContainer("SparkplumeData,77,").status, ContainerStatus::NewerVersion);
    EXPECT_EQ(parseContainer("SparklumeData,4,1,save.png,0,").status,
              ContainerStatus::NotSupported);
    EXPECT_EQ(parseContainer("").status, ContainerStatus::NotSupported);
    EXPECT_EQ(parseContainer("PK\x03\x04 zip").status, ContainerStatus::NotSupported);
}

TEST(Container, DamagedFilesAreRefusedNotHalfRead) {
    const std::string good = pack({{"a.png.png", "12345"}, {"save.png", "x,"}});
    for (std::size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_EQ(parseContainer(good.substr(0, cut)).status, ContainerStatus::NotSupported) << cut;
    // A size running past the end, a negative size, a count of entries that is not there.
    EXPECT_EQ(parseContainer("SparkplumeData,4,1,save.png,999,x,").status,
              ContainerStatus::NotSupported);
    EXPECT_EQ(parseContainer("SparkplumeData,4,1,save.png,-1,x,").status,
              ContainerStatus::NotSupported);
    EXPECT_EQ(parseContainer("SparkplumeData,4,2147483647,save.png,0,").status,
              ContainerStatus::NotSupported);
    // No effect data at all.
    EXPECT_EQ(parseContainer("SparkplumeData,4,1,a.png,0,").status, ContainerStatus::NotSupported);
    EXPECT_EQ(parseContainer("SparkplumeData,4,0,").status, ContainerStatus::NotSupported);
}

TEST(Container, EntryNamesNeverLeaveTheFolder) {
    for (const char* name : {"../evil.png", "..", ".", "/etc/passwd", "a/b.png", "..\\x.png",
                             "C:\\x.png", "C:x.png", "", "a\tb.png", "what?.png", "trailing."}) {
        const std::string file = std::string("SparkplumeData,4,2,") + name + ",1,zsave.png,0,";
        EXPECT_EQ(parseContainer(file).status, ContainerStatus::NotSupported) << name;
    }
    EXPECT_TRUE(isPlainFileName("火花.png.png"));
    EXPECT_TRUE(isPlainFileName("..a.png"));
}

TEST(Container, TheLastEffectDataEntryCounts) {
    const ParsedContainer parsed =
        parseContainer(pack({{"save.png", "old,"}, {"save.png", "new,"}}));
    ASSERT_EQ(parsed.status, ContainerStatus::Ok);
    EXPECT_EQ(findEffectData(parsed)->bytes, "new,");
}

}  // namespace
}  // namespace sp::format
