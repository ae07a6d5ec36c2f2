#include "app/dialogs/export_rules.h"

#include <filesystem>

#include "document/ui_language.h"
#include "project/file_commands.h"

namespace sp {
namespace {

namespace fs = std::filesystem;

// The report is put together from several texts and the files' names, which no
// one catalogue entry matches once it is whole: each text is translated here.
std::string said(const char* text) {
    return trText(text).toStdString();
}

// The folder once, then the names; a file elsewhere keeps its whole path.
std::string fileList(const std::vector<fs::path>& files) {
    const fs::path folder = files.front().parent_path();
    auto name = [&](const fs::path& file) {
        return file.parent_path() == folder ? file.filename().string() : file.string();
    };
    std::string text = said(kExportFolderText) + folder.string();
    if (files.size() > 1)
        text += formatMessage(said(kExportFileCountText).c_str(), std::to_string(files.size()));
    text += '\n';
    const std::size_t shown =
        files.size() > kReportListedFiles ? kReportListedFiles - 2 : files.size();
    for (std::size_t i = 0; i < shown; ++i) text += '\n' + name(files[i]);
    if (shown < files.size()) text += "\n…\n" + name(files.back());
    return text;
}

// "512×256 pixel", or "512×512 pixel × 3" for several sheets of one size, in order.
std::string sizeList(const std::vector<SheetSize>& sizes) {
    std::string text;
    for (std::size_t i = 0; i < sizes.size();) {
        std::size_t same = i + 1;
        while (same < sizes.size() && sizes[same] == sizes[i]) ++same;
        if (!text.empty()) text += "、";
        text += std::to_string(sizes[i].width) + "×" + std::to_string(sizes[i].height) + " pixel";
        if (same - i > 1) text += " × " + std::to_string(same - i);
        i = same;
    }
    return text;
}

}  // namespace

ExportSettings exportSettingsFromDialog(int32_t start, int32_t end, int32_t step, int32_t layout,
                                        int32_t fileType, bool transparent) {
    ExportSettings s;
    s.exportStart = start;
    s.exportEnd = end;
    s.exportStep = step;
    s.exportLayout = layout;
    s.exportFileType = fileType;
    s.exportTransparent = transparent && exportTransparencyEnabled(layout, fileType) ? 1 : 0;
    return s;
}

ExportReport exportReport(const ExportResult& result, bool sheetSkipped) {
    const std::vector<fs::path>& files = result.files;
    switch (result.outcome) {
        case ExportOutcome::Completed:
            // Cancelling the sheet dialog leaves nothing to report, as cancelling
            // the save dialog does.
            if (files.empty()) {
                if (sheetSkipped) return {};
                return {kExportResultMissingText, kErrorCaption};
            }
            {
                std::string text = said(kExportDoneText) + "\n\n" + fileList(files);
                if (!result.sheetSizes.empty())
                    text += "\n\n" + formatMessage(said(kExportSheetSizesText).c_str(),
                                                   sizeList(result.sheetSizes));
                return {text, kExportCaption};
            }
        case ExportOutcome::Aborted:
            return {said(kExportAbortedText) +
                        (files.empty() ? said(kExportNothingMadeText) : "\n\n" + fileList(files)),
                    kExportCaption};
        case ExportOutcome::Failed:
            // The run has said what went wrong; what it made before that is worth knowing.
            if (files.empty()) return {};
            return {said(kExportIncompleteText) + "\n\n" + fileList(files), kErrorCaption};
        case ExportOutcome::Cancelled:
            break;
    }
    return {};
}

}  // namespace sp
