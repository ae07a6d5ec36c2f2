#include "app/dialogs/export_interaction.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include "app/dialogs/dialog_parts.h"
#include "app/dialogs/export_options_dialog.h"
#include "app/dialogs/export_rules.h"
#include "app/dialogs/sheet_layout_dialog.h"
#include "document/app_context.h"
#include "document/ui_language.h"
#include "export/export_memory.h"

namespace sp {
namespace {

// Marks the export as under way for as long as the command runs.
class RunningMark {
  public:
    explicit RunningMark(bool& running) : m_running(running) { m_running = true; }
    ~RunningMark() { m_running = false; }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

  private:
    bool& m_running;
};

}  // namespace

EditorExportInteraction::EditorExportInteraction(Prompts& prompts, ExportDialogState& state,
                                                 int frameWidth, int frameHeight, QWidget* owner)
    : m_prompts(prompts),
      m_state(state),
      m_frameWidth(frameWidth),
      m_frameHeight(frameHeight),
      m_owner(owner) {}

EditorExportInteraction::~EditorExportInteraction() = default;

std::optional<std::string> EditorExportInteraction::chooseResult(const FileDialogRequest& request,
                                                                 const ResultFilter& filter) {
    FileDialogRequest withFilter = request;
    withFilter.filters = {{filter.description, filter.pattern}};
    return m_prompts.chooseExportResult(withFilter);
}

void EditorExportInteraction::progressStart(int total) {
    m_total = total;
    m_done = 0;
    m_progress = std::make_unique<QProgressDialog>(m_owner);
    m_progress->setWindowTitle(uiText(QT_TRANSLATE_NOOP("Sparkplume", "レンダリング中")));
    m_progress->setCancelButtonText(uiText(QT_TRANSLATE_NOOP("Sparkplume", "中断")));
    m_progress->setRange(0, total);
    // Shown at once and kept until the run closes it, whatever the bar says.
    m_progress->setMinimumDuration(0);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    // Nothing else takes input meanwhile: the project must not change under the run.
    m_progress->setWindowModality(Qt::ApplicationModal);
    showCount();
    m_progress->setValue(0);
    m_progress->show();
    QCoreApplication::processEvents();
}

void EditorExportInteraction::showCount() {
    m_progress->setLabelText(
        trText(QT_TRANSLATE_NOOP("Sparkplume", "%1／%2フレーム")).arg(m_done).arg(m_total));
}

void EditorExportInteraction::progressStep() {
    if (!m_progress) return;
    ++m_done;
    showCount();
    m_progress->setValue(m_done);
}

// The one place the run lets the user in: the bar repaints and "中断" is seen.
bool EditorExportInteraction::abortRequested() {
    QCoreApplication::processEvents();
    return m_progress && m_progress->wasCanceled();
}

void EditorExportInteraction::progressEnd() {
    m_progress.reset();
}

bool EditorExportInteraction::chooseSheetLayout(int cells, int& columns, int& rows, int& division) {
    SheetLayoutDialog dialog(cells, m_frameWidth, m_frameHeight, m_state.sheetDivision, m_owner,
                             m_state.sheetOptions);
    const bool ok = dialog.exec() == QDialog::Accepted;
    // The division is the user's from the moment it is typed, OK or not.
    m_state.sheetDivision = dialog.layout().sheetDivision();
    m_sheetSkipped = !ok;
    if (!ok) return false;
    const SheetLayout::RenderIniValues values = dialog.layout().renderIniValues();
    columns = values.x;
    rows = values.y;
    division = values.sep;
    return true;
}

void runEditorExport(AppContext& context, ExportDialogState& state, QWidget* owner) {
    if (state.running) return;
    const RunningMark mark(state.running);
    const ProjectState& project = context.document().state();
    ExportOptionsDialog options(project.frameCount, owner);
    ExportSettings remembered;
    recallExportOptions(context.setup(), remembered);
    options.setOptions(remembered);
    options.setCanvas(project.projectWidth, project.projectHeight);
    if (options.exec() != QDialog::Accepted) return;
    rememberExportOptions(context.setup(), options.settings());
    state.sheetOptions = options.settings().sheet;

    EditorExportInteraction interaction(context.prompts(), state, project.projectWidth,
                                        project.projectHeight, owner);
    const ExportResult result = context.runExport(interaction, options.settings());
    const ExportReport report = exportReport(result, interaction.sheetSkipped());
    if (!report.text.empty()) context.prompts().showMessage(report.text, report.caption);
}

}  // namespace sp
