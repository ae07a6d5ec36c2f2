#include "tools/common/render_job.h"
#include "tools/common/tool_main.h"
#include "tools/tilesheet/sheet_builder.h"

namespace {

constexpr const char* kHelp =
    "tilesheet: 書き出したフレームを並べてスプライトシートを作ります。\n"
    "作業フォルダの RENDER/render.ini を読み、フレームを [info] x 列 × y 行のシートに\n"
    "左上から行ごとに並べます。シートが1枚なら「name + 拡張子」、複数なら\n"
    "「name_0 + 拡張子」「name_1 + 拡張子」… に保存し、それぞれの横に同じ名前の .json\n"
    "(Phaser / PixiJS で読める JSON ハッシュ形式) を書き出します。\n"
    "[sheet] があるときは、trim (none / shared / each) で透明な余白を切り取り、padding で\n"
    "セルの間と縁に隙間を入れ、extrude で縁のピクセルを複製し、pot=1 で辺を2のべき乗にし、\n"
    "maxsize を超えるシートは次のシートに続け、json (hash / array)、alpha (straight /\n"
    "premultiplied) に従って書き、作ったファイルの一覧を RENDER/made.txt に残します。\n"
    "失敗したときはエラー出力に理由を表示し、0 以外の終了コードで終わります。";

}  // namespace

int main(int argc, char** argv) {
    return sp::tools::runProgram(argc, argv, kHelp, [](const QDir& workspace) {
        sp::tools::SheetBuilder(
            sp::tools::readRenderJob(workspace, sp::tools::JobKeys::FramesAndSheetGrid))
            .run();
    });
}
