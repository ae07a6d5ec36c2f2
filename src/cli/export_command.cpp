#include "cli/export_command.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "cli/arguments.h"
#include "cli/headless_session.h"
#include "cli/interrupts.h"
#include "export/export_run.h"
#include "export/sheet_layout.h"

namespace sp::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "使い方: sparkplume export FILE --out RESULT [--layout sheet|files|movie] [--type "
    "png|bmp|jpeg]\n"
    "         [--start N] [--end N] [--step N] [--transparent | --opaque] [--columns N] "
    "[--division N]\n";

struct ExportOptions {
    std::string file;
    std::string out;
    ExportSettings settings;
    std::optional<int> start, end, step, columns;
    int division = 1;
    std::optional<bool> transparent;
};

std::string parse(const std::vector<std::string>& args, ExportOptions& o) {
    auto number = [&](std::size_t& i, int minimum, std::optional<int>& target) -> std::string {
        if (i + 1 >= args.size() || !(target = parseCount(args[i + 1], minimum)))
            return args[i] + " には" + std::to_string(minimum) + "以上の整数を指定してください。";
        ++i;
        return "";
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string error;
        if (a == "--out") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return "--out には書き出し先を指定してください。";
            o.out = args[++i];
        } else if (a == "--layout") {
            const std::string v = i + 1 < args.size() ? args[++i] : "";
            if (v == "sheet")
                o.settings.exportLayout = kLayoutSheet;
            else if (v == "files")
                o.settings.exportLayout = kLayoutFiles;
            else if (v == "movie")
                o.settings.exportLayout = kLayoutMovie;
            else
                return "--layout には sheet、files、movie のいずれかを指定してください。";
        } else if (a == "--type") {
            const std::string v = i + 1 < args.size() ? args[++i] : "";
            if (v == "png")
                o.settings.exportFileType = kFilePng;
            else if (v == "bmp")
                o.settings.exportFileType = kFileBmp;
            else if (v == "jpeg" || v == "jpg")
                o.settings.exportFileType = kFileJpeg;
            else
                return "--type には png、bmp、jpeg のいずれかを指定してください。";
        } else if (a == "--start") {
            error = number(i, 1, o.start);
        } else if (a == "--end") {
            error = number(i, 1, o.end);
        } else if (a == "--step") {
            error = number(i, 1, o.step);
        } else if (a == "--columns") {
            error = number(i, 1, o.columns);
        } else if (a == "--division") {
            std::optional<int> d;
            error = number(i, 1, d);
            if (d) o.division = *d;
        } else if (a == "--transparent") {
            o.transparent = true;
        } else if (a == "--opaque") {
            o.transparent = false;
        } else if (!a.empty() && a[0] == '-') {
            return "不明なオプションです: " + a;
        } else if (o.file.empty()) {
            o.file = a;
        } else {
            return "ファイルは一つだけ指定してください。";
        }
        if (!error.empty()) return error;
    }
    if (o.file.empty()) return "ファイルを指定してください。";
    if (o.out.empty()) return "--out を指定してください。";
    return checkPaths({&o.file, &o.out});
}

// The layout dialog's opening shape (columns limited by the division), or the
// columns given on the command line.
SheetLayout commandLineLayout(int cells, std::optional<int> columns, int division, int width,
                              int height) {
    SheetLayout layout(1, cells, 1, width, height, division);
    if (layout.valid() && columns) layout.trackThumb(std::min(*columns, layout.sliderMaximum()));
    return layout;
}

// The command line answers the export's questions from its options.
class CommandLineInteraction : public ExportInteraction {
  public:
    CommandLineInteraction(std::string result, std::optional<int> columns, int division, int width,
                           int height)
        : m_result(std::move(result)),
          m_columns(columns),
          m_division(division),
          m_width(width),
          m_height(height) {}

    std::optional<std::string> chooseResult(const FileDialogRequest&,
                                            const ResultFilter& filter) override {
        fs::path result = fs::absolute(m_result);
        if (!result.has_extension()) result += "." + filter.extension;
        return result.string();
    }

    // A signal asks the run to stop, as the progress dialog's Abort does.
    bool abortRequested() override { return interrupted(); }

    bool chooseSheetLayout(int cells, int& columns, int& rows, int& division) override {
        const SheetLayout layout = commandLineLayout(cells, m_columns, m_division, m_width, m_height);
        if (!layout.valid()) return false;
        const SheetLayout::RenderIniValues values = layout.renderIniValues();
        columns = values.x;
        rows = values.y;
        division = values.sep;
        return true;
    }

  private:
    std::string m_result;
    std::optional<int> m_columns;
    int m_division;
    int m_width, m_height;
};

}  // namespace

int runExportCommand(const std::vector<std::string>& args, const CommandLimits& limits,
                     const fs::path& programDir, std::ostream& out, std::ostream& err) {
    ExportOptions options;
    if (std::string error = parse(args, options); !error.empty()) {
        err << error << '\n' << kUsage;
        return 1;
    }
    HeadlessSession session(err, limits);
    if (!session.open(options.file, programDir) || !session.picturesComplete()) return 2;
    Project& project = session.project();

    ExportSettings& s = options.settings;
    s.exportStart = options.start.value_or(1);
    s.exportEnd = options.end.value_or(project.state.frameCount);
    s.exportStep = options.step.value_or(1);
    s.exportTransparent = options.transparent.value_or(true) ? 1 : 0;
    if (s.exportLayout == kLayoutSheet && writtenFrameCount(s) > 0) {
        // The sheet's shape is known before anything is drawn: refuse it now.
        if (writtenFrameCount(s) / options.division < 1) {
            err << kErrorCaption << ": " << kSheetDivisionTooLargeText << '\n';
            return 2;
        }
        const SheetLayout layout =
            commandLineLayout(static_cast<int>(writtenFrameCount(s)), options.columns,
                              options.division, project.state.projectWidth,
                              project.state.projectHeight);
        if (!layout.withinSheetLimit()) {
            err << kErrorCaption << ": " << kSheetTooLargeText << " (" << layout.sheetPixelWidth()
                << "×" << layout.sheetPixelHeight() << " ピクセル)\n";
            return 2;
        }
    }

    CommandLineInteraction interaction(options.out, options.columns, options.division,
                                       project.state.projectWidth, project.state.projectHeight);
    const ExportResult result = session.context().runExport(interaction, s);
    if (interrupted()) return interruptedStatus();
    const Simulation& simulation = session.playback().simulation();
    if (simulation.particleLimitReached() || simulation.trailLimitReached())
        err << kLimitWarning << '\n';
    if (result.outcome != ExportOutcome::Completed) return 2;

    // The files the run made, for the caller to find.
    for (const fs::path& file : result.files) out << file.string() << '\n';
    return 0;
}

}  // namespace sp::cli
