#pragma once

#include <optional>
#include <string>
#include <string_view>

// The sheet's finishing options and the animated pictures, as the export writes
// them into render.ini in sections of their own. A render.ini without these
// sections is an export of the plain grid sheet and the movie, made exactly as
// before they existed.
namespace sp::exchange {

inline constexpr std::string_view kSheetSection = "sheet";
inline constexpr std::string_view kTrimKey = "trim";  // none | shared | each
inline constexpr std::string_view kPaddingKey =
    "padding";  // pixels between cells and at the border
inline constexpr std::string_view kExtrudeKey = "extrude";  // edge pixels repeated around each cell
inline constexpr std::string_view kPowerOfTwoKey = "pot";   // 1: sides rounded up to powers of two
inline constexpr std::string_view kMaxSizeKey = "maxsize";  // the longest side of one sheet
inline constexpr std::string_view kJsonKey = "json";        // hash | array
inline constexpr std::string_view kAlphaKey = "alpha";      // straight | premultiplied

inline constexpr std::string_view kAnimationSection = "animation";
inline constexpr std::string_view kAnimationFormatKey = "format";  // gif | apng | webp
inline constexpr std::string_view kQualityKey = "quality";  // WebP: -1 lossless, else 0 … 100

// The files the sheet program made, one path a line, written into RENDER when
// the sheet section is there: with trimming and a size limit only the program
// knows how many sheets the frames needed.
inline constexpr std::string_view kMadeListFile = "made.txt";

enum class Trim { None, Shared, Each };
enum class AtlasLayout { Hash, Array };
enum class AlphaMode { Straight, Premultiplied };
enum class AnimationFormat { Gif, Apng, Webp };

inline constexpr int kMaxPadding = 64;  // padding and extrude alike
inline constexpr int kDefaultMaxSheetSize = 4096;
inline constexpr int kLosslessQuality = -1;

struct SheetOptions {
    Trim trim = Trim::None;
    int padding = 0;
    int extrude = 0;
    bool powerOfTwo = false;
    int maxSize = kDefaultMaxSheetSize;
    AtlasLayout json = AtlasLayout::Hash;
    AlphaMode alpha = AlphaMode::Straight;
    bool operator==(const SheetOptions&) const = default;
};

inline std::string_view trimName(Trim t) {
    return t == Trim::Shared ? "shared" : t == Trim::Each ? "each" : "none";
}
inline std::optional<Trim> trimFromName(std::string_view s) {
    if (s == "none") return Trim::None;
    if (s == "shared") return Trim::Shared;
    if (s == "each") return Trim::Each;
    return std::nullopt;
}
inline std::string_view atlasLayoutName(AtlasLayout a) {
    return a == AtlasLayout::Array ? "array" : "hash";
}
inline std::optional<AtlasLayout> atlasLayoutFromName(std::string_view s) {
    if (s == "hash") return AtlasLayout::Hash;
    if (s == "array") return AtlasLayout::Array;
    return std::nullopt;
}
inline std::string_view alphaModeName(AlphaMode a) {
    return a == AlphaMode::Premultiplied ? "premultiplied" : "straight";
}
inline std::optional<AlphaMode> alphaModeFromName(std::string_view s) {
    if (s == "straight") return AlphaMode::Straight;
    if (s == "premultiplied") return AlphaMode::Premultiplied;
    return std::nullopt;
}
inline std::string_view animationFormatName(AnimationFormat f) {
    return f == AnimationFormat::Apng ? "apng" : f == AnimationFormat::Webp ? "webp" : "gif";
}
inline std::optional<AnimationFormat> animationFormatFromName(std::string_view s) {
    if (s == "gif") return AnimationFormat::Gif;
    if (s == "apng") return AnimationFormat::Apng;
    if (s == "webp") return AnimationFormat::Webp;
    return std::nullopt;
}
// The animated picture is the result name with this extension.
inline std::string_view animationExtension(AnimationFormat f) {
    return f == AnimationFormat::Apng ? ".png" : f == AnimationFormat::Webp ? ".webp" : ".gif";
}

// The longest side a sheet may have: with power-of-two sides, the largest power
// of two within the limit.
inline long long usableSheetSide(const SheetOptions& o) {
    if (!o.powerOfTwo) return o.maxSize;
    long long side = 1;
    while (side * 2 <= o.maxSize) side *= 2;
    return side;
}

// The room one frame of w × h pixels takes on a sheet, padding on one side.
inline long long cellStride(int side, const SheetOptions& o) {
    return static_cast<long long>(side) + 2LL * o.extrude + o.padding;
}

// Whether a frame of w × h pixels fits a sheet at all, with its extruded edge
// and the padding on both sides.
inline bool frameFitsSheet(int w, int h, const SheetOptions& o) {
    const long long side = usableSheetSide(o);
    return o.padding + cellStride(w, o) <= side && o.padding + cellStride(h, o) <= side;
}

}  // namespace sp::exchange
