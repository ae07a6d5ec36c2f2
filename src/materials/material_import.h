#pragma once

#include <QtGlobal>

#include <filesystem>

#include "prompts/prompts.h"
#include "render/device.h"

namespace sp {

// Converts a picture into a square PNG whose side is the smallest power of two
// (at least 2) at or above its longer side, the picture scaled uniformly to fill
// that side and centred along the other, transparent elsewhere. The PNG is
// written into `textureDir` as "<file name with its extension>.png"; the
// material list is not rebuilt (the caller does that).
struct ImportOutcome {
    bool written = false;   // a material file was written
    bool modified = false;  // the project must be marked modified
};
ImportOutcome importMaterial(const std::filesystem::path& picture,
                             const std::filesystem::path& textureDir, render::Device& device,
                             Prompts& prompts);

inline constexpr const char* kImportRefusedCaption =
    QT_TRANSLATE_NOOP("Sparkplume", "画像を読み込むことができません");
inline constexpr const char* kUnsupportedPictureText =
    QT_TRANSLATE_NOOP("Sparkplume", "対応していない形式のファイルです。\n\n対応形式：bmp,png,jpg");
inline constexpr const char* kOverwriteMaterialText =
    QT_TRANSLATE_NOOP("Sparkplume", "同名のファイルが存在します。\n上書きしてよろしいですか？");
inline constexpr const char* kPictureUnreadableText =
    QT_TRANSLATE_NOOP("Sparkplume", "画像ファイルを読み込めませんでした。");
inline constexpr const char* kPictureTooLargeText = QT_TRANSLATE_NOOP(
    "Sparkplume", "画像が大きすぎるため取り込めません（縦横とも8192ピクセルまで）。");
inline constexpr const char* kPictureNameNotStorableText = QT_TRANSLATE_NOOP(
    "Sparkplume",
    "ファイル名にプロジェクトファイルへ保存できない文字が含まれているため、取り込めません。");
inline constexpr const char* kMaterialNotWrittenText =
    QT_TRANSLATE_NOOP("Sparkplume", "素材ファイルを書き込めませんでした。");

}  // namespace sp
