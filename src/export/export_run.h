#pragma once

#include <QtGlobal>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/sim/simulation.h"
#include "export/export_settings.h"
#include "project/project.h"
#include "project/project_owner.h"
#include "project/setup_ini.h"
#include "prompts/prompts.h"

namespace sp {

// What the export asks of whoever runs it: the editor's dialogs, or the command line's options.
class ExportInteraction {
  public:
    virtual ~ExportInteraction() = default;

    // The result file; nullopt when the save dialog was cancelled.
    virtual std::optional<std::string> chooseResult(const FileDialogRequest& request,
                                                    const ResultFilter& filter) = 0;

    // Progress over `total` frames; abortRequested is asked once a frame.
    virtual void progressStart(int total) { (void)total; }
    virtual void progressStep() {}
    virtual bool abortRequested() { return false; }
    virtual void progressEnd() {}

    // The sheet's shape for `cells` frames: columns, rows and division. False to
    // leave the frames unarranged (the dialog's Cancel).
    virtual bool chooseSheetLayout(int cells, int& columns, int& rows, int& division) = 0;
};

enum class ExportOutcome { Completed, Cancelled, Aborted, Failed };

struct ExportContext {
    Project& project;
    ProjectOwner& owner;  // runs the device cycle when the export ends
    SetupIni& setup;
    Prompts& prompts;
    ExportInteraction& interaction;
    Simulation& simulation;  // the preview's: the export replays the effect on it
    std::filesystem::path programDir;
};

// The pixels of one sheet the run made.
struct SheetSize {
    int width = 0;
    int height = 0;
    bool operator==(const SheetSize&) const = default;
};

struct ExportResult {
    ExportOutcome outcome = ExportOutcome::Failed;
    std::vector<std::filesystem::path> files;  // the result files the run wrote, in order
    // Of a sprite sheet, each sheet's size as made: trimming decides it only then.
    std::vector<SheetSize> sheetSizes;
};

// Renders the chosen frames into RENDER, hands them to the RENDER programs and
// cleans up: no numbered frame is left behind, whatever happens, and nothing
// outside RENDER and the chosen result is touched. Completed only when every
// file of the result was written.
ExportResult runExport(ExportContext& context, ExportSettings settings);

inline constexpr const char* kRenderFolderMissingText = QT_TRANSLATE_NOOP(
    "Sparkplume",
    "データが欠損しているため書き出しできません。\n再インストールするこで治る可能性があります。");
inline constexpr const char* kFrameNotWrittenText =
    QT_TRANSLATE_NOOP("Sparkplume", "フレーム画像「%s」を書き込めませんでした。");
inline constexpr const char* kCopyNotWrittenText =
    QT_TRANSLATE_NOOP("Sparkplume", "「%s」を書き込めませんでした。");
inline constexpr const char* kToolNotStartedText =
    QT_TRANSLATE_NOOP("Sparkplume", "書き出し用のプログラム「%s」を起動できませんでした。");
inline constexpr const char* kToolFailedText =
    QT_TRANSLATE_NOOP("Sparkplume", "書き出し用のプログラム「%s」が失敗しました。");
inline constexpr const char* kSettingsNotWrittenText =
    QT_TRANSLATE_NOOP("Sparkplume", "書き出しの設定ファイルを書き込めませんでした。");

}  // namespace sp
