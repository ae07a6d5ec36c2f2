#include "app/commands.h"

namespace sp {

const std::vector<Command>& commands() {
    using K = QKeySequence;
    static const std::vector<Command> table = {
        {kCommandNew, "新規作成(&N)", {K(Qt::CTRL | Qt::Key_N)}, "新規作成。", 0},
        {kCommandOpen, "開く(&O)", {K(Qt::CTRL | Qt::Key_O)}, "ファイルを開く。", 1},
        {kCommandSave, "上書き保存(&S)", {K(Qt::CTRL | Qt::Key_S)}, "ファイルを保存。", 2},
        {kCommandSaveAs, "名前を付けて保存(&A)", {K(Qt::SHIFT | Qt::CTRL | Qt::Key_S)}, "", -1},
        {kCommandExport, "書き出し(&W)", {K(Qt::CTRL | Qt::Key_W)}, "書き出し。", 3},
        {kCommandQuit, "終了(&Q)", {K(Qt::ALT | Qt::Key_F4)}, "", -1},
        {kCommandUndo, "元に戻す(&U)", {K(Qt::CTRL | Qt::Key_Z)}, "", -1},
        {kCommandRedo,
         "やり直し(&R)",
         {K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
         "",
         -1},
        {kCommandAnimation, "", {K(Qt::CTRL | Qt::Key_A)}, "アニメーションの設定。", 4},
        {kCommandEmission, "", {K(Qt::CTRL | Qt::Key_G)}, "発生位置の設定。", 5},
        {kCommandSize, "", {K(Qt::CTRL | Qt::Key_M)}, "サイズの設定。", 6},
        {kCommandBackgroundColour, "", {K(Qt::CTRL | Qt::Key_B)}, "背景色の設定。", 7},
        {kCommandBackgroundImage, "", {K(Qt::CTRL | Qt::Key_I)}, "背景画像の設定。", 8},
        {kCommandZoomIn, "", {K(Qt::CTRL | Qt::Key_Up)}, "拡大表示。", 9},
        {kCommandZoomOut, "", {K(Qt::CTRL | Qt::Key_Down)}, "縮小表示。", 10},
        {kCommandReseed,
         "",
         {K(Qt::CTRL | Qt::Key_R)},
         "設定をそのままに再構築。（ランダムな要素が無い場合は変化ありません）",
         11},
        {kCommandHelp,
         "オンラインヘルプ(&H)",
         {K(Qt::CTRL | Qt::Key_F1)},
         "オンラインヘルプ。（ブラウザが起動し、インターネットに接続します）",
         12},
        {kCommandAbout, "バージョン情報(&A)", {}, "", -1},
    };
    return table;
}

const Command* findCommand(int id) {
    for (const Command& c : commands())
        if (c.id == id) return &c;
    return nullptr;
}

}  // namespace sp
