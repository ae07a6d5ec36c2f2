#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// What the export writes into RENDER for the programs there, and what they make
// of it. The export and the programs are built from this one header, so the two
// sides cannot drift apart.
namespace sp::exchange {

// The programs, started in the workspace and found in RENDER.
inline constexpr std::string_view kCropProgram = "framecrop";
inline constexpr std::string_view kSheetProgram = "tilesheet";
inline constexpr std::string_view kMovieProgram = "clipweave";

// RENDER/render.ini.
inline constexpr std::string_view kRenderFolder = "RENDER";
inline constexpr std::string_view kSettingsFile = "render.ini";
inline constexpr std::string_view kInfoSection = "info";
inline constexpr std::string_view kLastFrameKey = "end";  // number of the last frame file
inline constexpr std::string_view kFpsKey = "fps";
inline constexpr std::string_view kExtensionKey = "ext";  // of the frames, with its dot
inline constexpr std::string_view kColumnsKey = "x";      // the sheet only
inline constexpr std::string_view kRowsKey = "y";
inline constexpr std::string_view kDivisionKey = "sep";
inline constexpr std::string_view kSizeSection = "size";
inline constexpr std::string_view kWidthKey = "width";
inline constexpr std::string_view kHeightKey = "height";
inline constexpr std::string_view kResultSection = "result";
inline constexpr std::string_view kResultNameKey = "name";  // the result's path without extension

// Frame n of an export is RENDER/"%04d" + extension: 0000.png, 0001.png, …
inline std::string frameFileName(int n, std::string_view extension) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", n);
    std::string name = digits;
    name += extension;
    return name;
}

// The sheet program lays frames into sheets of columns × rows cells, as many
// sheets as the frames need. One sheet is named after the result itself,
// several get "_0", "_1", … appended; beside each sheet lies its atlas.
inline int sheetCount(int frames, int columns, int rows) {
    const long long cells = static_cast<long long>(columns) * rows;
    if (frames <= 0 || cells <= 0) return 0;
    return static_cast<int>((frames + cells - 1) / cells);
}
inline std::string sheetStem(const std::string& resultName, int sheet, int sheets) {
    if (sheets == 1) return resultName;
    return resultName + "_" + std::to_string(sheet);
}
inline constexpr std::string_view kAtlasExtension = ".json";
// The largest side of a sheet picture the sheet program writes.
inline constexpr long long kMaxSheetSide = 65535;

// The movie program writes the result name with this extension, at most at this
// rate: the movie file cannot time frames that follow each other faster.
inline constexpr std::string_view kMovieExtension = ".avi";
inline constexpr int kMaxMovieFps = 1000;

}  // namespace sp::exchange
