#include "export/export_settings.h"

#include "exchange/render_exchange.h"

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

ResultFilter resultFilter(int32_t layout, int32_t fileType) {
    if (layout == kLayoutMovie) return {"AVI(*.avi)", "*.avi", "avi"};
    if (fileType == kFileBmp) return {"BMP(*.bmp)", "*.bmp", "bmp"};
    if (fileType == kFileJpeg) return {"JPEG(*.jpg)", "*.jpg", "jpg"};
    return {"PNG(*.png)", "*.png", "png"};
}

int32_t writtenFrameCount(const ExportSettings& s) {
    if (s.exportStep < 1 || s.exportStart > s.exportEnd) return 0;
    int32_t n = 0;
    for (int32_t f = s.exportStart; f <= s.exportEnd; ++f)
        if (isFrameWritten(s, f)) ++n;
    return n;
}

std::string frameFileName(int32_t n, int32_t fileType) {
    return exchange::frameFileName(n, frameExtension(fileType));
}

std::string checkExportSettings(const ExportSettings& s, int32_t frameCount) {
    if (s.exportStep < 1) return "フレーム毎の値は1以上にしてください。";
    if (s.exportStart > s.exportEnd) return "最初のフレームは最後のフレーム以下にしてください。";
    if (s.exportStart < 1 || s.exportEnd > frameCount)
        return "書き出すフレームは1から" + std::to_string(frameCount) +
               "の範囲で指定してください。";
    if (writtenFrameCount(s) == 0) return "書き出すフレームがありません。";
    return "";
}

}  // namespace sp
