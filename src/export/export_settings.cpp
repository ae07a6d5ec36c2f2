#include "export/export_settings.h"

#include <algorithm>
#include <cstdint>

#include <QtGlobal>

#include "exchange/render_exchange.h"
#include "project/file_commands.h"

namespace sp {

std::string frameExtension(int32_t fileType) {
    if (fileType == kFileBmp) return ".bmp";
    if (fileType == kFileJpeg) return ".jpg";
    return ".png";
}

render::PictureFormat framePictureFormat(int32_t fileType) {
    if (fileType == kFileBmp) return render::PictureFormat::Bmp;
    if (fileType == kFileJpeg) return render::PictureFormat::Jpeg;
    return render::PictureFormat::Png;
}

exchange::AnimationFormat animationFormat(int32_t layout) {
    if (layout == kLayoutApng) return exchange::AnimationFormat::Apng;
    if (layout == kLayoutWebp) return exchange::AnimationFormat::Webp;
    return exchange::AnimationFormat::Gif;
}

ResultFilter resultFilter(int32_t layout, int32_t fileType) {
    if (layout == kLayoutMovie) return {"AVI(*.avi)", "*.avi", "avi"};
    if (layout == kLayoutGif) return {"GIF(*.gif)", "*.gif", "gif"};
    if (layout == kLayoutApng) return {"APNG(*.png)", "*.png", "png"};
    if (layout == kLayoutWebp) return {"WebP(*.webp)", "*.webp", "webp"};
    if (fileType == kFileBmp) return {"BMP(*.bmp)", "*.bmp", "bmp"};
    if (fileType == kFileJpeg) return {"JPEG(*.jpg)", "*.jpg", "jpg"};
    return {"PNG(*.png)", "*.png", "png"};
}

namespace {

// The written frames are 1 + k × step for k from first to last.
struct StepRange {
    int64_t first = 1;
    int64_t last = 0;
};

StepRange writtenSteps(const ExportSettings& s) {
    if (s.exportStep < 1) return {};
    const int64_t lo = std::max<int64_t>(s.exportStart, 1);
    const int64_t hi = s.exportEnd;
    if (lo > hi) return {};
    const int64_t step = s.exportStep;
    return {(lo - 1 + step - 1) / step, (hi - 1) / step};
}

}  // namespace

int32_t writtenFrameCount(const ExportSettings& s) {
    const StepRange r = writtenSteps(s);
    return static_cast<int32_t>(std::clamp<int64_t>(r.last - r.first + 1, 0, INT32_MAX));
}

int32_t lastWrittenFrame(const ExportSettings& s) {
    const StepRange r = writtenSteps(s);
    if (r.last < r.first) return 0;
    return static_cast<int32_t>(1 + r.last * s.exportStep);
}

std::string frameFileName(int32_t n, int32_t fileType) {
    return exchange::frameFileName(n, frameExtension(fileType));
}

std::string checkExportSettings(const ExportSettings& s, int32_t frameCount, int32_t fps) {
    if (s.exportStep < 1)
        return QT_TRANSLATE_NOOP("Sparkplume", "フレーム毎の値は1以上にしてください。");
    if (s.exportStart > s.exportEnd)
        return QT_TRANSLATE_NOOP("Sparkplume",
                                 "最初のフレームは最後のフレーム以下にしてください。");
    if (s.exportStart < 1 || s.exportEnd > frameCount)
        return formatMessage(kFrameRangeText, {std::to_string(frameCount)});
    if (writtenFrameCount(s) == 0)
        return QT_TRANSLATE_NOOP("Sparkplume", "書き出すフレームがありません。");
    if ((s.exportLayout == kLayoutMovie || isAnimatedLayout(s.exportLayout)) &&
        fps > exchange::kMaxMovieFps)
        return formatMessage(kMovieFpsText, {std::to_string(exchange::kMaxMovieFps)});
    if (writtenFrameCount(s) > kMaxWrittenFrames)
        return formatMessage(kTooManyFramesText, {std::to_string(kMaxWrittenFrames)});
    if (isAnimatedLayout(s.exportLayout) && s.exportFileType != kFilePng)
        return kAnimationNeedsPngText;
    if (s.exportQuality != exchange::kLosslessQuality &&
        (s.exportQuality < 0 || s.exportQuality > 100))
        return kQualityRangeText;
    return "";
}

std::string checkSheetOptions(const exchange::SheetOptions& o, int32_t canvasWidth,
                              int32_t canvasHeight) {
    const std::string limit = std::to_string(exchange::kMaxPadding);
    if (o.padding < 0 || o.padding > exchange::kMaxPadding)
        return formatMessage(kPaddingRangeText, {limit});
    if (o.extrude < 0 || o.extrude > exchange::kMaxPadding)
        return formatMessage(kExtrudeRangeText, {limit});
    if (o.maxSize < 1 || o.maxSize > exchange::kMaxSheetSide)
        return formatMessage(kMaxSizeRangeText, {std::to_string(exchange::kMaxSheetSide)});
    if (!exchange::frameFitsSheet(canvasWidth, canvasHeight, o))
        return formatMessage(kFrameBeyondSheetText,
                             {std::to_string(exchange::usableSheetSide(o)),
                              std::to_string(canvasWidth), std::to_string(canvasHeight)});
    return "";
}

}  // namespace sp
