#pragma once

#include <QtGlobal>

#include <cstdint>
#include <string>

#include "export/export_run.h"

namespace sp {

// The export dialogs' rules, with no widgets: what they enable, and what the
// editor says when a run ends.

// The movie is made from frames of one fixed kind, so the type list has nothing
// to choose there.
inline bool exportTypeListEnabled(int32_t layout) {
    return layout != kLayoutMovie;
}

// Neither the movie nor JPEG can keep transparency.
inline bool exportTransparencyEnabled(int32_t layout, int32_t fileType) {
    return layout != kLayoutMovie && fileType != kFileJpeg;
}

// The sheet's options belong to the sheet, WebP's quality to WebP.
inline bool exportSheetOptionsEnabled(int32_t layout) {
    return layout == kLayoutSheet;
}
inline bool exportQualityEnabled(int32_t layout) {
    return layout == kLayoutWebp;
}

// What the options dialog hands to the export: the three fields as typed (read
// like atoi), the two lists, and the box only where it is enabled.
ExportSettings exportSettingsFromDialog(int32_t start, int32_t end, int32_t step, int32_t layout,
                                        int32_t fileType, bool transparent);

// The message at the end of a run; empty text when nothing is to be said (the
// user cancelled, or the failure was already reported).
struct ExportReport {
    std::string text;
    std::string caption;
};
ExportReport exportReport(const ExportResult& result, bool sheetSkipped);

// A long list of files is shortened to its first few and its last.
inline constexpr std::size_t kReportListedFiles = 8;

inline constexpr const char* kExportCaption = QT_TRANSLATE_NOOP("Sparkplume", "書き出し");
inline constexpr const char* kExportDoneText =
    QT_TRANSLATE_NOOP("Sparkplume", "書き出しが完了しました。");
inline constexpr const char* kExportAbortedText =
    QT_TRANSLATE_NOOP("Sparkplume", "書き出しを中断しました。");
inline constexpr const char* kExportIncompleteText = QT_TRANSLATE_NOOP(
    "Sparkplume", "書き出しは完了していません。作られたのは次のファイルだけです。");
// Follows the aborted text directly (its English begins with a space).
inline constexpr const char* kExportNothingMadeText =
    QT_TRANSLATE_NOOP("Sparkplume", "ファイルは作られていません。");
inline constexpr const char* kExportResultMissingText =
    QT_TRANSLATE_NOOP("Sparkplume", "書き出しは終わりましたが、結果のファイルが見つかりません。");
inline constexpr const char* kExportFolderText = QT_TRANSLATE_NOOP("Sparkplume", "保存先：");
inline constexpr const char* kExportFileCountText =
    QT_TRANSLATE_NOOP("Sparkplume", "（%s個のファイル）");
// The sheets' real sizes, which trimming decides only as they are made.
inline constexpr const char* kExportSheetSizesText =
    QT_TRANSLATE_NOOP("Sparkplume", "シートの大きさ：%s");

}  // namespace sp
