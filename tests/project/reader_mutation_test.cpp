// Feeds damaged variants of real project files to the reader: truncated, with
// bytes flipped or inserted, with counts and sizes that lie, with entry names
// that point out of the TEXTURE folder. Whatever the damage, the reader must
// neither crash nor hang, must refuse instead of half-reading, and anything it
// accepts must be a tree the editor can use.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "project/format/container.h"
#include "project/format/effect_data.h"

namespace sp::format {
namespace {

// ---------------------------------------------------------------------------
// Valid files to start from

EmitterNode& addChild(EmitterNode& parent, const std::string& name) {
    parent.children.push_back(std::make_unique<EmitterNode>(30));
    parent.children.back()->parent = &parent;
    parent.children.back()->name = name;
    return *parent.children.back();
}

std::string effectData(const ProjectHeader& header, const EmitterNode& root) {
    auto data = writeEffectData(header, root);
    EXPECT_TRUE(data.has_value());
    return data.value_or("");
}

std::string pack(const std::vector<ContainerEntry>& entries) {
    auto file = packContainer(entries);
    EXPECT_TRUE(file.has_value());
    return file.value_or("");
}

// A new project: one default node.
std::string defaultEffectData() {
    EmitterNode root(30);
    addChild(root, "ノード1");
    return effectData(ProjectHeader{}, root);
}

// Three levels, curves of several points, Japanese names, image and trail names.
std::string treeEffectData() {
    const ProjectHeader header{640, 360, 45, 320, 180, 24, 16, 32, 48, 98765};
    EmitterNode root(header.frameCount);
    EmitterNode& fire = addChild(root, "炎の柱");
    fire.imageName = "火花";
    fire.imageIndex = 1;
    fire.trailImageName = "表面";
    fire.trailImageIndex = 2;
    fire.trailLength = 12;
    fire.emitType = kEmitConverging;
    fire.gravity = -3.0f;
    fire.hidden = 1;
    fire.curves[kCurveAlpha].points = {{0, 0}, {12.5f, 80}, {60, 100}, {100, 0}};
    fire.curves[kCurveSpeed].points = {{0, 50}, {33.25f, 100}, {100, 0}};
    EmitterNode& sparks = addChild(fire, "火の粉");
    sparks.imageName = "表面";
    sparks.imageIndex = 2;
    sparks.curves[kCurveSize].points = {{0, 10}, {25, 90}, {50, 40}, {75, 70}, {100, 5}};
    sparks.curves[kCurveRotation].points = {{0, 0}, {40, 55.5f}, {100, 100}};
    EmitterNode& embers = addChild(sparks, "残り火");
    embers.keepAspect = 0;
    embers.maxHeight = 80;
    addChild(fire, "煙");
    addChild(root, "glow");
    return effectData(header, root);
}

template <std::size_t N>
std::string bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

// Picture bytes hold every separator the token reader knows.
const std::string kSparkPicture = bytes("\x89PNG\r\n\x1a\n,\n\0,12,-1,\0\0IEND");
const std::string kSurfacePicture = bytes("\x89PNG\r\n\x1a\n\x95\x5c,save.png,3,abc");

struct Seeds {
    std::string defaultData = defaultEffectData();
    std::string treeData = treeEffectData();
    std::string defaultFile = pack({{"save.png", defaultData}});
    std::string treeFile = pack({{"save.png", treeData}});
    // "表" is 0x95 0x5C in CP932: its second byte is the backslash byte.
    std::string materialsFile =
        pack({{"火花.png", kSparkPicture}, {"表面.png", kSurfacePicture}, {"save.png", treeData}});
};

const Seeds& seeds() {
    static const Seeds instance;
    return instance;
}

// A container written by hand, so that counts and sizes can say anything.
struct RawEntry {
    std::string name;
    std::string size;  // the size token as it stands
    std::string bytes;
};

RawEntry rawEntry(std::string name, std::string bytes) {
    std::string size = std::to_string(bytes.size());
    return {std::move(name), std::move(size), std::move(bytes)};
}

std::string rawContainer(const std::string& version, const std::string& count,
                         const std::vector<RawEntry>& entries) {
    std::string file = "SparkplumeData," + version + "," + count + ",";
    for (const RawEntry& e : entries) file += e.name + "," + e.size + "," + e.bytes;
    return file;
}

std::vector<RawEntry> materialsEntries() {
    return {rawEntry("\x89\xce\x89\xd4.png", kSparkPicture),    // 火花.png in CP932
            rawEntry("\x95\x5c\x96\xca.png", kSurfacePicture),  // 表面.png
            rawEntry("save.png", seeds().treeData)};
}

// ---------------------------------------------------------------------------
// What every answer of the reader must satisfy

struct Tally {
    int fed = 0;
    int containersAccepted = 0;
    int effectDataAccepted = 0;
};

bool inRange(const SampleTable& table, int32_t low, int32_t high) {
    for (int32_t v : table)
        if (v < low || v > high) return false;
    return true;
}

void expectUsableTree(const EffectData& effect, const std::string& what) {
    const ProjectHeader& h = effect.header;
    EXPECT_GE(h.previewFps, 1) << what;
    EXPECT_GE(h.projectWidth, kMinCanvasSide) << what;
    EXPECT_LE(h.projectWidth, kMaxCanvasSide) << what;
    EXPECT_GE(h.projectHeight, kMinCanvasSide) << what;
    EXPECT_LE(h.projectHeight, kMaxCanvasSide) << what;
    ASSERT_NE(effect.root, nullptr) << what;

    int nodes = 0;
    std::vector<const EmitterNode*> pending{effect.root.get()};
    while (!pending.empty()) {
        const EmitterNode* node = pending.back();
        pending.pop_back();
        for (const auto& child : node->children) {
            ASSERT_NE(child, nullptr) << what;
            ASSERT_EQ(child->parent, node) << what;
            pending.push_back(child.get());
            ++nodes;
        }
        if (node == effect.root.get()) continue;
        EXPECT_TRUE(node->emitType >= kEmitRadial && node->emitType <= kEmitConverging) << what;
        EXPECT_TRUE(node->hidden == 0 || node->hidden == 1) << what;
        // The simulation indexes and scales by these tables without further checks.
        for (const Curve& curve : node->curves) EXPECT_TRUE(inRange(curve.samples, 0, 100)) << what;
        for (const SampleTable* t :
             {&node->redSamples, &node->greenSamples, &node->blueSamples, &node->alphaSamples,
              &node->sizeSamples, &node->rotationSamples})
            EXPECT_TRUE(inRange(*t, 0, 100)) << what;
        EXPECT_TRUE(inRange(node->speedSamples, -100, 100)) << what;
    }
    EXPECT_EQ(nodes, effect.nodeCount) << what;
}

void expectSafeContainer(const ParsedContainer& parsed, const std::string& what) {
    if (parsed.status != ContainerStatus::Ok) {
        EXPECT_TRUE(parsed.entries.empty()) << what << ": a refused file must not be half read";
        return;
    }
    EXPECT_LT(parsed.version, kFirstRefusedVersion) << what;
    bool hasEffectData = false;
    for (const ContainerEntry& entry : parsed.entries) {
        const std::string& name = entry.name;
        EXPECT_FALSE(name.empty()) << what;
        EXPECT_EQ(name.find_first_of("/\\:"), std::string::npos) << what << ": " << name;
        EXPECT_NE(name, "..") << what;
        EXPECT_NE(name, ".") << what;
        hasEffectData = hasEffectData || name == kEffectDataEntry;
    }
    EXPECT_TRUE(hasEffectData) << what;
}

// Runs the reader as opening a file does: the container, then its effect data.
void feedFile(std::string_view file, Tally& tally, const std::string& what) {
    ++tally.fed;
    const ParsedContainer parsed = parseContainer(file);
    expectSafeContainer(parsed, what);
    if (parsed.status != ContainerStatus::Ok) return;
    ++tally.containersAccepted;
    const ContainerEntry* entry = findEffectData(parsed);
    ASSERT_NE(entry, nullptr) << what;
    if (auto effect = readEffectData(entry->bytes, parsed.version)) {
        ++tally.effectDataAccepted;
        expectUsableTree(*effect, what);
    }
}

void feedEffectData(std::string_view data, int32_t version, Tally& tally, const std::string& what) {
    ++tally.fed;
    if (auto effect = readEffectData(data, version)) {
        ++tally.effectDataAccepted;
        expectUsableTree(*effect, what);
    }
}

// ---------------------------------------------------------------------------
// Damage

// Token contents that have broken readers: counts that overflow or lie, numbers
// no editor writes, names that leave the folder, extra separators.
const std::vector<std::string> kHostileTokens = {
    "2147483647", "-2147483648", "2147483648", "99999999999", "-5",  "-1",   "0",     "1",   "3",
    "1e30",       "-1e30",       "1e39",       "nan",         "inf", "-inf", "-1e10", "",    "abc",
    "1,1,1,1",    "../x.png",    "/etc/x",     "save.png",    " 7",  "+-1",  "0x10",  "１２"};

class Mutator {
  public:
    explicit Mutator(uint32_t seed) : m_rng(seed) {}

    std::size_t below(std::size_t n) { return n == 0 ? 0 : m_rng() % n; }

    std::string mutate(std::string s) {
        const std::size_t steps = 1 + below(4);
        for (std::size_t i = 0; i < steps; ++i) mutateOnce(s);
        return s;
    }

  private:
    void mutateOnce(std::string& s) {
        static constexpr char kSpecial[] = {',', '\n', '\0', '-', '0', '9',
                                            '.', '/',  '\\', ' ', 'e'};
        const std::size_t pos = below(s.size() + 1);
        switch (below(8)) {
            case 0:
                if (pos < s.size()) s[pos] = static_cast<char>(s[pos] ^ (1 << below(8)));
                break;
            case 1:
                if (pos < s.size()) s[pos] = static_cast<char>(below(256));
                break;
            case 2:
                if (pos < s.size()) s[pos] = kSpecial[below(sizeof kSpecial)];
                break;
            case 3:
                s.insert(pos, 1, kSpecial[below(sizeof kSpecial)]);
                break;
            case 4:
                if (pos < s.size()) s.erase(pos, 1 + below(16));
                break;
            case 5: {
                const std::size_t from = below(s.size());
                const std::string piece = s.substr(from, 1 + below(64));
                s.insert(pos, piece);
                break;
            }
            case 6:
                replaceToken(s, kHostileTokens[below(kHostileTokens.size())]);
                break;
            default:
                s.resize(pos);
                break;
        }
    }

    // Replaces the contents of a random comma-separated token.
    void replaceToken(std::string& s, const std::string& replacement) {
        std::vector<std::size_t> commas;
        for (std::size_t i = 0; i < s.size(); ++i)
            if (s[i] == ',') commas.push_back(i);
        if (commas.empty()) return;
        const std::size_t k = below(commas.size());
        const std::size_t begin = k == 0 ? 0 : commas[k - 1] + 1;
        s.replace(begin, commas[k] - begin, replacement);
    }

    std::mt19937 m_rng;
};

// Where each token of the data starts and ends (the comma excluded).
std::vector<std::pair<std::size_t, std::size_t>> tokenSpans(const std::string& data) {
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data[i] == ',') {
            spans.emplace_back(begin, i);
            begin = i + 1;
        }
    }
    return spans;
}

// ---------------------------------------------------------------------------
// Truncation

TEST(ReaderMutation, EveryTruncationIsRefused) {
    Tally tally;
    for (const std::string* file : {&seeds().defaultFile, &seeds().materialsFile}) {
        for (std::size_t cut = 0; cut < file->size(); ++cut) {
            const std::string_view prefix(file->data(), cut);
            const ParsedContainer parsed = parseContainer(prefix);
            EXPECT_EQ(parsed.status, ContainerStatus::NotSupported) << "cut at " << cut;
            EXPECT_TRUE(parsed.entries.empty()) << "cut at " << cut;
            ++tally.fed;
        }
    }
    for (const std::string* data : {&seeds().defaultData, &seeds().treeData}) {
        for (std::size_t cut = 0; cut < data->size(); ++cut) {
            EXPECT_FALSE(
                readEffectData(std::string_view(data->data(), cut), kWrittenVersion).has_value())
                << "cut at " << cut;
            ++tally.fed;
        }
    }
    // A size one short of the effect data leaves a whole container around a cut record.
    std::vector<RawEntry> entries = materialsEntries();
    entries.back().size = std::to_string(entries.back().bytes.size() - 1);
    const ParsedContainer parsed = parseContainer(rawContainer("4", "3", entries));
    ASSERT_EQ(parsed.status, ContainerStatus::Ok);
    EXPECT_FALSE(readEffectData(findEffectData(parsed)->bytes, parsed.version).has_value());
    EXPECT_GT(tally.fed, 3000);
}

// ---------------------------------------------------------------------------
// Random damage anywhere

TEST(ReaderMutation, RandomDamageNeverBreaksTheReader) {
    constexpr int kRounds = 2500;
    Mutator mutator(20240611u);
    Tally tally;
    const std::vector<std::pair<const char*, const std::string*>> files = {
        {"default", &seeds().defaultFile},
        {"tree", &seeds().treeFile},
        {"materials", &seeds().materialsFile}};
    const std::vector<std::pair<const char*, const std::string*>> datas = {
        {"default", &seeds().defaultData}, {"tree", &seeds().treeData}};
    for (int round = 0; round < kRounds; ++round) {
        for (const auto& [name, file] : files) {
            const std::string damaged = mutator.mutate(*file);
            feedFile(damaged, tally, std::string(name) + " file, round " + std::to_string(round));
        }
        // Damage inside an intact container reaches the effect data reader with every version.
        for (const auto& [name, data] : datas) {
            const std::string damaged = mutator.mutate(*data);
            const int32_t version = static_cast<int32_t>(round % 5);
            feedEffectData(damaged, version, tally,
                           std::string(name) + " data v" + std::to_string(version) + ", round " +
                               std::to_string(round));
        }
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_GE(tally.fed, 10000);
    // The damage must not be so heavy that nothing gets past the first checks.
    EXPECT_GT(tally.containersAccepted, kRounds / 2);
    EXPECT_GT(tally.effectDataAccepted, kRounds / 2);
}

// ---------------------------------------------------------------------------
// Counts, sizes and numbers that lie

TEST(ReaderMutation, EveryTokenOfTheEffectDataMayHoldAnything) {
    // Every token of the tree in turn gets each hostile value: counts of
    // nodes, children and points, header values, curve coordinates, names.
    Tally tally;
    const std::string& data = seeds().treeData;
    for (const auto& [begin, end] : tokenSpans(data)) {
        for (const std::string& value : kHostileTokens) {
            std::string damaged = data;
            damaged.replace(begin, end - begin, value);
            feedEffectData(damaged, kWrittenVersion, tally,
                           "token at " + std::to_string(begin) + " = " + value);
        }
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_GT(tally.fed, 5000);
}

TEST(ReaderMutation, CurvePointsFarOutsideTheGraphStayInRange) {
    // Points no editor makes: the samples must still be whole per cent values,
    // and reading must not walk every integer between such a point and the graph.
    EmitterNode root(30);
    EmitterNode& node = addChild(root, "ノード1");
    for (Curve& curve : node.curves) curve.points = {{0, 0}, {11.25f, 22.75f}, {100, 100}};
    const std::string data = effectData(ProjectHeader{}, root);
    const std::string marked = "11.250000,22.750000,";
    ASSERT_NE(data.find(marked), std::string::npos);

    Tally tally;
    for (const char* x : {"nan", "inf", "-inf", "-1e10", "1e10", "-3e9", "3e38", "-3e38", "50"}) {
        for (const char* y : {"nan", "inf", "-inf", "1e30", "-1e30", "50"}) {
            std::string damaged = data;
            for (std::size_t at; (at = damaged.find(marked)) != std::string::npos;)
                damaged.replace(at, marked.size(), std::string(x) + "," + y + ",");
            for (int32_t version : {0, 4}) {
                const auto effect = readEffectData(damaged, version);
                ++tally.fed;
                ASSERT_TRUE(effect.has_value()) << x << "," << y;
                expectUsableTree(*effect, std::string(x) + "," + y);
            }
        }
    }
}

TEST(ReaderMutation, ContainerCountsAndSizesThatLie) {
    const std::vector<RawEntry> entries = materialsEntries();
    const std::size_t fileSize = rawContainer("4", "3", entries).size();
    for (const char* count : {"2147483647", "-5", "-2147483648", "0", "4", "99999999999"}) {
        const ParsedContainer parsed = parseContainer(rawContainer("4", count, entries));
        // Too few entries never reach the effect data; too many run out of file.
        EXPECT_EQ(parsed.status, ContainerStatus::NotSupported) << count;
        EXPECT_TRUE(parsed.entries.empty()) << count;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        for (const std::string& size :
             {std::string("-1"), std::string("-2147483648"), std::string("2147483647"),
              std::string("99999999999"), std::to_string(fileSize), std::to_string(fileSize + 1)}) {
            std::vector<RawEntry> damaged = entries;
            damaged[i].size = size;
            const ParsedContainer parsed = parseContainer(rawContainer("4", "3", damaged));
            EXPECT_EQ(parsed.status, ContainerStatus::NotSupported)
                << "entry " << i << " size " << size;
            EXPECT_TRUE(parsed.entries.empty());
        }
    }
    // Sizes that point into the middle of the next entry: whatever is made of
    // the rest, it must be refused or be safe.
    Tally tally;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        for (int delta : {-3, -1, 1, 2, 9}) {
            std::vector<RawEntry> damaged = entries;
            damaged[i].size = std::to_string(static_cast<int>(damaged[i].bytes.size()) + delta);
            feedFile(rawContainer("4", "3", damaged), tally,
                     "entry " + std::to_string(i) + " size off by " + std::to_string(delta));
        }
    }
}

// ---------------------------------------------------------------------------
// Entry names and the effect-data entry

TEST(ReaderMutation, EntryNamesThatLeaveTheFolderAreRefused) {
    // The CP932 names of the seeds, the backslash byte inside 表 included, are fine.
    const ParsedContainer good = parseContainer(rawContainer("4", "3", materialsEntries()));
    ASSERT_EQ(good.status, ContainerStatus::Ok);
    EXPECT_EQ(good.entries[0].name, "火花.png");
    EXPECT_EQ(good.entries[1].name, "表面.png");

    // "\x81/" and "\xff" are no CP932 characters: a bad lead byte must not swallow the slash
    // or backslash after it. ("\x81\\" would be a character of its own.)
    for (const char* name :
         {"../x.png", "/etc/x", "a/b.png", "..", ".", "C:\\x.png", "C:x.png", "..\\x.png",
          "\\\\server\\x.png", "\x81/x.png", "\xff\\x.png", "x.png\x01", ""}) {
        for (std::size_t i = 0; i < 3; ++i) {
            std::vector<RawEntry> entries = materialsEntries();
            entries[i].name = name;
            const ParsedContainer parsed = parseContainer(rawContainer("4", "3", entries));
            EXPECT_EQ(parsed.status, ContainerStatus::NotSupported)
                << "entry " << i << " named " << name;
            EXPECT_TRUE(parsed.entries.empty());
        }
    }
}

TEST(ReaderMutation, AContainerWithoutEffectDataIsRefused) {
    std::vector<RawEntry> entries = materialsEntries();
    entries.pop_back();
    EXPECT_EQ(parseContainer(rawContainer("4", "2", entries)).status,
              ContainerStatus::NotSupported);
    entries.push_back(rawEntry("save.png.png", seeds().treeData));
    EXPECT_EQ(parseContainer(rawContainer("4", "3", entries)).status,
              ContainerStatus::NotSupported);
    EXPECT_EQ(parseContainer(rawContainer("4", "0", {})).status, ContainerStatus::NotSupported);
}

// ---------------------------------------------------------------------------
// Versions

TEST(ReaderMutation, EveryVersionNumberReadsTheSameBytesSafely) {
    // Data of version 4 read under an older number is misaligned from the first
    // node on: refused or read, but never out of bounds.
    Tally tally;
    const std::vector<std::pair<const char*, ContainerStatus>> versions = {
        {"-1", ContainerStatus::Ok},
        {"0", ContainerStatus::Ok},
        {"1", ContainerStatus::Ok},
        {"2", ContainerStatus::Ok},
        {"3", ContainerStatus::Ok},
        {"4", ContainerStatus::Ok},
        {"x", ContainerStatus::Ok},
        {"", ContainerStatus::Ok},
        {"-2147483648", ContainerStatus::Ok},
        {"5", ContainerStatus::NewerVersion},
        {"6", ContainerStatus::NewerVersion},
        {"2147483647", ContainerStatus::NewerVersion},
        {"99999999999", ContainerStatus::NewerVersion}};
    for (const auto& [version, status] : versions) {
        const std::string file = rawContainer(version, "3", materialsEntries());
        EXPECT_EQ(parseContainer(file).status, status) << version;
        feedFile(file, tally, std::string("version ") + version);
    }
    for (int32_t version = -1; version <= 6; ++version) {
        feedEffectData(seeds().treeData, version, tally,
                       "tree data as v" + std::to_string(version));
        feedEffectData(seeds().defaultData, version, tally,
                       "default data as v" + std::to_string(version));
    }
    // The one-node file has nothing after its last node, so any version reads it.
    for (int32_t version = 0; version <= 4; ++version)
        EXPECT_TRUE(readEffectData(seeds().defaultData, version).has_value()) << version;
}

// ---------------------------------------------------------------------------
// Depth

TEST(ReaderMutation, DeepNestingIsBoundedByTheData) {
    const std::string header = "256,256,30,128,128,60,0,0,0,0,";
    std::string ones;
    for (int i = 0; i < 100000; ++i) ones += "1,";

    // Each "1," opens one more level and no record ever closes: the reader must
    // give up without one stack frame or one node per level.
    for (const std::string& top : {std::string("1,"), std::string("2147483647,")}) {
        for (int32_t version : {0, 4}) {
            EXPECT_FALSE(readEffectData(header + top + ones, version).has_value()) << top;
            const std::string file = pack({{"save.png", header + top + ones}});
            const ParsedContainer parsed = parseContainer(file);
            ASSERT_EQ(parsed.status, ContainerStatus::Ok);
            EXPECT_FALSE(readEffectData(findEffectData(parsed)->bytes, version).has_value());
        }
    }
    // Huge child and top-level counts over real records run out of data.
    const std::string& data = seeds().defaultData;
    ASSERT_EQ(data.substr(0, header.size() + 4), header + "1,0,");  // T = 1, no children
    for (std::size_t at : {header.size(), header.size() + 2}) {
        for (const char* count : {"2147483647", "100000", "2"}) {
            std::string damaged = data;
            damaged.replace(at, 1, count);
            EXPECT_FALSE(readEffectData(damaged, kWrittenVersion).has_value())
                << at << ": " << count;
        }
    }

    // A deep tree that is all there reads back in full.
    constexpr int kDepth = 3000;
    EmitterNode root(30);
    EmitterNode* node = &root;
    for (int i = 0; i < kDepth; ++i) node = &addChild(*node, "ノード" + std::to_string(i + 1));
    const auto effect = readEffectData(effectData(ProjectHeader{}, root), kWrittenVersion);
    ASSERT_TRUE(effect.has_value());
    EXPECT_EQ(effect->nodeCount, kDepth);
    expectUsableTree(*effect, "deep tree");
}

}  // namespace
}  // namespace sp::format
