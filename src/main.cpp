#include <QCoreApplication>
#include <QLocale>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/editor_main.h"
#include "cli/demo_command.h"
#include "cli/export_command.h"
#include "cli/interrupts.h"
#include "cli/limit_options.h"
#include "cli/render_command.h"
#include "cli/trace_command.h"
#include "document/ui_language.h"

namespace {

constexpr const char* kUsage = QT_TRANSLATE_NOOP(
    "Sparkplume",
    "使い方: sparkplume [プロジェクトファイル]\n"
    "       sparkplume <コマンド> [オプション]\n"
    "\n"
    "コマンドを付けずに起動するとエディタが開きます（プロジェクトファイルを指定すると、\n"
    "新しいプロジェクトの後にそれを開きます）。\n"
    "\n"
    "コマンド:\n"
    "  trace FILE [--frames N] [--particles]\n"
    "            プロジェクトファイルを開き、書き出しと同じように先頭から\n"
    "            N フレーム（既定はループの長さ）シミュレーションして、フレームごとに\n"
    "            「frame <フレーム> live <パーティクル数>」を表示します。\n"
    "            --particles を付けると、続けて生きているパーティクルを一つずつ\n"
    "            「p <ノード番号> <x> <y> <経過フレーム> <寿命>」の形で表示します\n"
    "            （ノード番号は上から数えて1から、子ノードは親の直後）。\n"
    "            開けないファイルは終了コード 2、使い方の誤りは 1 を返します。\n"
    "  render FILE --frame N --out OUT.png [--transparent]\n"
    "            プロジェクトファイルを開き、書き出しと同じように先頭から N フレーム目まで\n"
    "            シミュレーションして、そのフレームを書き出しと同じ方法で描画し、\n"
    "            キャンバスの大きさの画像（PNG、拡張子により BMP・JPEG）に保存します。\n"
    "            --transparent で背景を透明にします。終了コードは trace と同じです。\n"
    "  export FILE --out RESULT [--layout sheet|files|movie|gif|apng|webp] [--type png|bmp|jpeg]\n"
    "         [--start N] [--end N] [--step N] [--transparent | --opaque]\n"
    "         [--columns N] [--division N] [--trim none|shared|each] [--padding N]\n"
    "         [--extrude N] [--power-of-two] [--max-size N] [--json hash|array]\n"
    "         [--alpha straight|premultiplied] [--quality N]\n"
    "            プロジェクトファイルを開き、エディタの書き出しと同じ方法でフレームを描画して、\n"
    "            スプライトシート（sheet、既定）、連番ファイル（files）、動画（movie）を\n"
    "            RESULT の名前で作ります。既定は 1 フレーム目から最後まで、1 フレーム毎、PNG、\n"
    "            背景は透明、分割 1、横のマス数は書き出しダイアログを開いたときの値です。\n"
    "            作ったファイルを表示し、すべて書き込めたときだけ終了コード 0 を返します。\n"
    "            オプションの説明と例は sparkplume export --help で表示します。\n"
    "  demo      デモ用のエフェクトを1ループ分シミュレーションし、フレームごとに\n"
    "            ノードごとのパーティクル数を表示します。\n"
    "  --help    この説明を表示します。\n"
    "\n"
    "共通オプション:\n"
    "  --max-particles N      同時に存在できるパーティクル数の上限（既定 1000000）\n"
    "  --max-trail-points N   軌跡の点の総数の上限（既定 20000000）\n"
    "  --max-texture-memory N 画像に使うメモリの上限（MiB、既定 1024）\n"
    "  --threads N            フレームを描くスレッド数（既定は CPU のコア数、1 で一つだけ）\n"
    "  --lang ja|en           表示言語（既定は LANG などのロケールによる）\n");

// "--lang ja|en" anywhere among the arguments: taken out, its language returned.
// An unknown language is an error ("" for none given).
std::optional<sp::UiLanguage> takeLanguageOption(std::vector<std::string>& args, bool& bad) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--lang") continue;
        const auto language =
            i + 1 < args.size() ? sp::languageFromCode(args[i + 1]) : std::nullopt;
        bad = !language;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(std::min(i + 2, args.size())));
        return language;
    }
    return std::nullopt;
}

std::string usage() {
    return sp::trText(kUsage).toStdString();
}

bool isHeadlessCommand(const std::string& word) {
    return word == "trace" || word == "render" || word == "export" || word == "demo";
}

}  // namespace

int runHeadless(std::vector<std::string> args) {
    sp::cli::watchForInterrupts();
    const std::string command = args[0];
    args.erase(args.begin());
    sp::cli::CommandLimits limits;
    if (std::string error = sp::cli::takeLimitOptions(args, limits); !error.empty()) {
        std::cerr << error << '\n';
        return 1;
    }
    if (command == "trace") return sp::cli::runTrace(args, limits, std::cout, std::cerr);
    if (command == "render") return sp::cli::runRender(args, limits, std::cout, std::cerr);
    if (command == "export") {
        const std::filesystem::path programDir =
            QCoreApplication::applicationDirPath().toStdString();
        return sp::cli::runExportCommand(args, limits, programDir, std::cout, std::cerr);
    }
    if (command == "demo" && args.empty()) return sp::cli::runDemo(std::cout, limits.simulation);
    std::cerr << sp::trText(QT_TRANSLATE_NOOP("Sparkplume", "不明なコマンドまたはオプションです: "))
                     .toStdString()
              << command << (args.empty() ? "" : " " + args[0]) << "\n\n"
              << usage();
    return 1;
}

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    bool badLanguage = false;
    const std::optional<sp::UiLanguage> language = takeLanguageOption(args, badLanguage);
    // Without a command, or with a project file alone, this is the editor.
    if (!badLanguage &&
        (args.empty() || (args.size() == 1 && !isHeadlessCommand(args[0]) && args[0][0] != '-')))
        return sp::runEditor(argc, argv, args.empty() ? std::string() : args[0], language);
    // Headless commands need no display: pictures are read and written without one.
    // They speak the locale's language (LANG=C or en_*: English), or the one asked for.
    QCoreApplication app(argc, argv);
    sp::UiTranslation translation;
    translation.apply(language.value_or(sp::languageForLocale(QLocale::system())));
    if (badLanguage) {
        std::cerr << "--lang: ja | en\n\n" << usage();
        return 1;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << usage();
        return 0;
    }
    return runHeadless(std::move(args));
}
