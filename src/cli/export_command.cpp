#include "cli/export_command.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

#include "cli/arguments.h"
#include "cli/headless_session.h"
#include "cli/interrupts.h"
#include "document/ui_language.h"
#include "export/export_run.h"
#include "export/sheet_layout.h"

namespace sp::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = QT_TRANSLATE_NOOP(
    "Sparkplume",
    "使い方: sparkplume export FILE --out RESULT [--layout sheet|files|movie|gif|apng|webp]\n"
    "         [--type png|bmp|jpeg] [--quality N]\n"
    "         [--start N] [--end N] [--step N] [--transparent | --opaque] [--columns N] "
    "[--division N]\n"
    "         [--trim none|shared|each] [--padding N] [--extrude N] [--power-of-two] "
    "[--max-size N]\n"
    "         [--json hash|array] [--alpha straight|premultiplied]\n"
    "  例: sparkplume export fx.spd --out fx.png --trim each --padding 2 --extrude 1 "
    "--max-size 2048\n");

constexpr const char* kOptionHelp = QT_TRANSLATE_NOOP(
    "Sparkplume",
    "\nシートの仕上げ (--layout sheet):\n"
    "  --trim none|shared|each  透明な余白を切り取ります。none: 切り取らない (既定)、\n"
    "                           shared: 全フレーム共通の範囲で切り取り、升目の大きさを揃えます、\n"
    "                           each: フレームごとに切り取り、詰めて並べます。\n"
    "                           JSON の trimmed・spriteSourceSize・sourceSize "
    "で元の位置に戻せます。\n"
    "  --padding N              セルの間とシートの縁に N ピクセルの透明な隙間を入れます (0〜64)。\n"
    "  --extrude N              セルの縁のピクセルを外側へ N ピクセル複製します (0〜64)。\n"
    "  --power-of-two           シートの幅と高さを2のべき乗に切り上げます。\n"
    "  --max-size N             シートの一辺の上限です (既定 "
    "4096)。超えるときは次のシートに続けます。\n"
    "  --json hash|array        JSON のフレーム一覧の形です (既定 hash)。\n"
    "  --alpha straight|premultiplied\n"
    "                           premultiplied にすると色にアルファを掛けて保存します (既定 "
    "straight)。\n"
    "例:\n"
    "  sparkplume export fx.spd --out fx.png --trim shared --padding 2 --extrude 1\n"
    "  sparkplume export fx.spd --out fx.png --trim each --power-of-two --max-size 2048 --json "
    "array\n"
    "  sparkplume export fx.spd --out fx.png --alpha premultiplied\n"
    "\nアニメーション画像 (--layout gif|apng|webp):\n"
    "  プロジェクトのFPSでずっと繰り返す1枚の画像を作ります。背景を透明にすると透明も保ちます。\n"
    "  フレームは PNG で書き出します (--type bmp、jpeg は使えません)。\n"
    "  gif: 全フレーム共通の256色 "
    "(ディザリングあり)、透明は半分以上覆われたところだけ表示します。\n"
    "       GIF は 1/100 秒単位のため、50 FPS を超えると一部のフレームを省きます。\n"
    "  apng: 劣化のない PNG のアニメーションです。\n"
    "  webp: 既定は劣化なし、--quality N (0〜100) でその画質の圧縮になります。\n"
    "例:\n"
    "  sparkplume export fx.spd --out fx.gif --layout gif\n"
    "  sparkplume export fx.spd --out fx.webp --layout webp --quality 80\n");

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
            return cliText(kWholeNumberFromText, {args[i], std::to_string(minimum)});
        ++i;
        return "";
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string error;
        if (a == "--out") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return cliText(
                    QT_TRANSLATE_NOOP("Sparkplume", "--out には書き出し先を指定してください。"));
            o.out = args[++i];
        } else if (a == "--layout") {
            const std::string v = i + 1 < args.size() ? args[++i] : "";
            if (v == "sheet")
                o.settings.exportLayout = kLayoutSheet;
            else if (v == "files")
                o.settings.exportLayout = kLayoutFiles;
            else if (v == "movie")
                o.settings.exportLayout = kLayoutMovie;
            else if (v == "gif")
                o.settings.exportLayout = kLayoutGif;
            else if (v == "apng")
                o.settings.exportLayout = kLayoutApng;
            else if (v == "webp")
                o.settings.exportLayout = kLayoutWebp;
            else
                return cliText(
                    QT_TRANSLATE_NOOP("Sparkplume",
                                      "--layout には sheet、files、movie、gif、apng、webp "
                                      "のいずれかを指定してください。"));
        } else if (a == "--type") {
            const std::string v = i + 1 < args.size() ? args[++i] : "";
            if (v == "png")
                o.settings.exportFileType = kFilePng;
            else if (v == "bmp")
                o.settings.exportFileType = kFileBmp;
            else if (v == "jpeg" || v == "jpg")
                o.settings.exportFileType = kFileJpeg;
            else
                return cliText(QT_TRANSLATE_NOOP(
                    "Sparkplume", "--type には png、bmp、jpeg のいずれかを指定してください。"));
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
        } else if (a == "--trim") {
            const auto v = exchange::trimFromName(i + 1 < args.size() ? args[++i] : "");
            if (!v)
                return cliText(QT_TRANSLATE_NOOP(
                    "Sparkplume", "--trim には none、shared、each のいずれかを指定してください。"));
            o.settings.sheet.trim = *v;
        } else if (a == "--json") {
            const auto v = exchange::atlasLayoutFromName(i + 1 < args.size() ? args[++i] : "");
            if (!v)
                return cliText(QT_TRANSLATE_NOOP(
                    "Sparkplume", "--json には hash、array のいずれかを指定してください。"));
            o.settings.sheet.json = *v;
        } else if (a == "--alpha") {
            const auto v = exchange::alphaModeFromName(i + 1 < args.size() ? args[++i] : "");
            if (!v)
                return cliText(QT_TRANSLATE_NOOP(
                    "Sparkplume",
                    "--alpha には straight、premultiplied のいずれかを指定してください。"));
            o.settings.sheet.alpha = *v;
        } else if (a == "--padding" || a == "--extrude" || a == "--max-size") {
            // Any integer is taken here; the range is the export's to refuse, with the
            // same message the editor shows.
            int& target = a == "--padding"   ? o.settings.sheet.padding
                          : a == "--extrude" ? o.settings.sheet.extrude
                                             : o.settings.sheet.maxSize;
            std::optional<int> v;
            if (i + 1 < args.size()) v = parseCount(args[i + 1], INT_MIN);
            if (!v) return cliText(kWholeNumberText, {a});
            target = *v;
            ++i;
        } else if (a == "--quality") {
            std::optional<int> v;
            if (i + 1 < args.size()) v = parseCount(args[i + 1], INT_MIN);
            if (!v) return cliText(kWholeNumberText, {a});
            o.settings.exportQuality = *v;
            ++i;
        } else if (a == "--power-of-two") {
            o.settings.sheet.powerOfTwo = true;
        } else if (a == "--transparent") {
            o.transparent = true;
        } else if (a == "--opaque") {
            o.transparent = false;
        } else if (!a.empty() && a[0] == '-') {
            return cliText(kUnknownOptionText, {a});
        } else if (o.file.empty()) {
            o.file = a;
        } else {
            return cliText(kOneFileText);
        }
        if (!error.empty()) return error;
    }
    if (o.file.empty()) return cliText(kFileMissingText);
    if (o.out.empty()) return cliText(kOptionMissingText, {"--out"});
    return checkPaths({&o.file, &o.out});
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

    // The layout dialog's opening shape (columns limited by the division), or the
    // columns given on the command line.
    // A signal asks the run to stop, as the progress dialog's Abort does.
    bool abortRequested() override { return interrupted(); }

    bool chooseSheetLayout(int cells, int& columns, int& rows, int& division) override {
        SheetLayout layout(1, cells, 1, m_width, m_height, m_division);
        if (!layout.valid()) return false;
        if (m_columns) layout.trackThumb(std::min(*m_columns, layout.sliderMaximum()));
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
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        out << cliText(kUsage) << cliText(kOptionHelp);
        return 0;
    }
    ExportOptions options;
    if (std::string error = parse(args, options); !error.empty()) {
        err << error << '\n' << cliText(kUsage);
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
    s.drawThreads = static_cast<int32_t>(limits.drawThreads);
    // Options that cannot give a sheet are refused before anything is rendered.
    if (s.exportLayout == kLayoutSheet) {
        const std::string problem =
            checkSheetOptions(s.sheet, project.state.projectWidth, project.state.projectHeight);
        if (!problem.empty()) {
            session.prompts().showMessage(problem, kErrorCaption);
            return 2;
        }
    }
    if (s.exportLayout == kLayoutSheet && writtenFrameCount(s) > 0 &&
        writtenFrameCount(s) / options.division < 1) {
        session.prompts().showMessage(kSheetDivisionTooLargeText, kErrorCaption);
        return 2;
    }

    CommandLineInteraction interaction(options.out, options.columns, options.division,
                                       project.state.projectWidth, project.state.projectHeight);
    const ExportResult result = session.context().runExport(interaction, s);
    if (interrupted()) return interruptedStatus();
    const Simulation& simulation = session.playback().simulation();
    if (simulation.particleLimitReached() || simulation.trailLimitReached())
        err << trText(kLimitWarning).toStdString() << '\n';
    if (result.outcome != ExportOutcome::Completed) return 2;

    // The files the run made, for the caller to find.
    for (const fs::path& file : result.files) out << file.string() << '\n';
    return 0;
}

}  // namespace sp::cli
