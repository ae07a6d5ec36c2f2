#include "tools/common/render_job.h"
#include "tools/common/tool_main.h"
#include "tools/framecrop/frame_cropper.h"

namespace {

constexpr const char* kHelp =
    "framecrop: 書き出したフレームを出力サイズに切り抜きます。\n"
    "作業フォルダの RENDER/render.ini を読み、RENDER/0000.png などのフレームを\n"
    "[size] の width × height (左上) に切り抜いて同じ名前・形式で上書きします。\n"
    "失敗したときはエラー出力に理由を表示し、0 以外の終了コードで終わります。";

}  // namespace

int main(int argc, char** argv) {
    return sp::tools::runProgram(argc, argv, kHelp, [](const QDir& workspace) {
        sp::tools::FrameCropper(sp::tools::readRenderJob(workspace, sp::tools::JobKeys::Frames))
            .run();
    });
}
