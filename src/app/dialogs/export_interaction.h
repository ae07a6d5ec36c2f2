#pragma once

#include <QPointer>

#include <memory>
#include <optional>
#include <string>

#include "export/export_run.h"
#include "export/sheet_layout.h"

class QProgressDialog;
class QWidget;

namespace sp {

class AppContext;

// What the editor keeps from one export to the next, outside the project: the
// sheet dialog's division, and whether an export is under way (so that it is
// never started twice).
struct ExportDialogState {
    int sheetDivision = SheetLayout::kInitialDivision;
    // The sheet's options of the run under way, which the sheet dialog's sizes reflect.
    exchange::SheetOptions sheetOptions;
    bool running = false;
};

// The export's questions answered with the editor's dialogs: the save dialog
// through the prompts, a modal progress dialog whose "中断" aborts, and the
// sheet dialog.
class EditorExportInteraction : public ExportInteraction {
  public:
    EditorExportInteraction(Prompts& prompts, ExportDialogState& state, int frameWidth,
                            int frameHeight, QWidget* owner);
    ~EditorExportInteraction() override;

    std::optional<std::string> chooseResult(const FileDialogRequest& request,
                                            const ResultFilter& filter) override;
    void progressStart(int total) override;
    void progressStep() override;
    bool abortRequested() override;
    void progressEnd() override;
    bool chooseSheetLayout(int cells, int& columns, int& rows, int& division) override;

    // The sheet dialog was cancelled: no sheet was meant to be made.
    bool sheetSkipped() const { return m_sheetSkipped; }
    QProgressDialog* progressDialog() const { return m_progress.get(); }

  private:
    void showCount();

    Prompts& m_prompts;
    ExportDialogState& m_state;
    int m_frameWidth;
    int m_frameHeight;
    QPointer<QWidget> m_owner;
    std::unique_ptr<QProgressDialog> m_progress;
    int m_done = 0;
    int m_total = 0;
    bool m_sheetSkipped = false;
};

// The export command: the options dialog, the run with the editor's dialogs on
// the preview's simulation, then what became of it. Does nothing while an
// export is under way.
void runEditorExport(AppContext& context, ExportDialogState& state, QWidget* owner);

}  // namespace sp
