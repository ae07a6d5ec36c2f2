#pragma once

#include <QtGlobal>

#include <cstdint>
#include <string>

#include "exchange/sheet_options.h"
#include "render/texture.h"

namespace sp {

// The description's three layouts, then the animated pictures.
enum ExportLayout : int32_t {
    kLayoutSheet = 0,
    kLayoutFiles = 1,
    kLayoutMovie = 2,
    kLayoutGif = 3,
    kLayoutApng = 4,
    kLayoutWebp = 5,
};
inline constexpr int32_t kLayoutCount = 6;

inline bool isAnimatedLayout(int32_t layout) {
    return layout == kLayoutGif || layout == kLayoutApng || layout == kLayoutWebp;
}
exchange::AnimationFormat animationFormat(int32_t layout);
enum ExportFileType : int32_t { kFilePng = 0, kFileBmp = 1, kFileJpeg = 2 };

// What the export options dialog chose.
struct ExportSettings {
    int32_t exportStart = 1;
    int32_t exportEnd = 30;
    int32_t exportStep = 1;
    int32_t exportLayout = kLayoutSheet;
    int32_t exportFileType = kFilePng;
    int32_t exportTransparent = 1;
    // The sheet's trimming, spacing, size limit, atlas and alpha.
    exchange::SheetOptions sheet;
    // WebP only: kLosslessQuality, or a lossy quality 0 … 100.
    int32_t exportQuality = exchange::kLosslessQuality;
    int32_t drawThreads = 0;  // not saved: the threads that draw each frame, 0 one per core
};

// The extension of the frames (and of the several-files copies), with its dot.
std::string frameExtension(int32_t fileType);
render::PictureFormat framePictureFormat(int32_t fileType);

// The save dialog's filter for a layout and file type: "PNG(*.png)" and so on, "AVI(*.avi)" for
// movies.
struct ResultFilter {
    std::string description;
    std::string pattern;
    std::string extension;  // without the dot
};
ResultFilter resultFilter(int32_t layout, int32_t fileType);

// Whether frame f (counted from 1) is written: within the range and on the step,
// which is counted from frame 1, not from the first frame.
inline bool isFrameWritten(const ExportSettings& s, int32_t f) {
    return s.exportStart <= f && f <= s.exportEnd && s.exportStep >= 1 &&
           (int64_t{f} - 1) % s.exportStep == 0;
}

// How many frames a run writes (frames from 1 on), and the last of them (0 when
// none): computed, not counted, so that any range is answered at once.
int32_t writtenFrameCount(const ExportSettings& s);
int32_t lastWrittenFrame(const ExportSettings& s);

// The numbered frame files have four digits: a run writes at most this many.
inline constexpr int32_t kMaxWrittenFrames = 10000;

// "RENDER/%04d<ext>" for the n-th written frame.
std::string frameFileName(int32_t n, int32_t fileType);

// Why settings cannot be exported. Those with a number in them are whole
// sentences with "%1" … in place of the numbers, so that a translation can put
// the numbers where its own words need them.
inline constexpr const char* kFrameRangeText =
    QT_TRANSLATE_NOOP("Sparkplume", "書き出すフレームは1から%1の範囲で指定してください。");
inline constexpr const char* kMovieFpsText = QT_TRANSLATE_NOOP(
    "Sparkplume",
    "動画は%1 FPSまでしか書き出せません。アニメーションの設定でFPSを下げてください。");
inline constexpr const char* kTooManyFramesText =
    QT_TRANSLATE_NOOP("Sparkplume", "一度に書き出せるフレームは%1枚までです。");
inline constexpr const char* kAnimationNeedsPngText = QT_TRANSLATE_NOOP(
    "Sparkplume", "GIF・APNG・WebP はPNGのフレームから作ります。ファイル形式をPNGにしてください。");
inline constexpr const char* kQualityRangeText =
    QT_TRANSLATE_NOOP("Sparkplume", "画質は0から100の範囲で指定してください。");
inline constexpr const char* kPaddingRangeText =
    QT_TRANSLATE_NOOP("Sparkplume", "余白は0から%1の範囲で指定してください。");
inline constexpr const char* kExtrudeRangeText =
    QT_TRANSLATE_NOOP("Sparkplume", "縁の複製は0から%1の範囲で指定してください。");
inline constexpr const char* kMaxSizeRangeText =
    QT_TRANSLATE_NOOP("Sparkplume", "最大サイズは1から%1の範囲で指定してください。");
// The usable side, then the frame's width and height.
inline constexpr const char* kFrameBeyondSheetText = QT_TRANSLATE_NOOP(
    "Sparkplume", "最大サイズ%1にはフレーム（%2×%3、余白と縁を含む）が収まりません。");

// A text explaining why the settings cannot be exported, or "" when they can.
// `fps` is the project's rate, which the movie must be able to keep.
std::string checkExportSettings(const ExportSettings& s, int32_t frameCount, int32_t fps = 1);

// The same for the sheet's options, with frames of the canvas size: "" when a
// sheet can be made.
std::string checkSheetOptions(const exchange::SheetOptions& o, int32_t canvasWidth,
                              int32_t canvasHeight);

}  // namespace sp
