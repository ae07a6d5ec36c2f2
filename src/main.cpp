#include <cstring>
#include <iostream>

#include "cli/demo_command.h"

namespace {

constexpr const char* kUsage =
    "使い方: sparkplume <コマンド>\n"
    "\n"
    "コマンド:\n"
    "  demo      デモ用のエフェクトを1ループ分シミュレーションし、フレームごとの\n"
    "            パーティクル数を表示します。\n"
    "  --help    この説明を表示します。\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::cout << kUsage;
        return argc < 2 ? 1 : 0;
    }
    if (std::strcmp(argv[1], "demo") == 0) return sp::cli::runDemo(std::cout);
    std::cerr << "不明なコマンドです: " << argv[1] << "\n\n" << kUsage;
    return 1;
}
