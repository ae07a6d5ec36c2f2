#include "tools/clipweave/animation_writer.h"
#include "tools/clipweave/movie_writer.h"
#include "tools/common/render_job.h"
#include "tools/common/tool_main.h"

namespace {

constexpr const char* kHelp =
    "clipweave: 書き出したフレームから動画 (.avi) を作ります。\n"
    "作業フォルダの RENDER/render.ini を読み、フレームを [info] fps のフレームレートで\n"
    "Motion JPEG (高画質) の「name.avi」に保存します。大きさは [size] の width × height です。\n"
    "[animation] format が gif、apng、webp のときは、動画の代わりにずっと繰り返す\n"
    "アニメーション画像「name.gif」「name.png」「name.webp」を作ります。WebP は\n"
    "[animation] quality が -1 なら劣化なし、0〜100 なら その画質で圧縮します。\n"
    "失敗したときはエラー出力に理由を表示し、0 以外の終了コードで終わります。";

}  // namespace

int main(int argc, char** argv) {
    return sp::tools::runProgram(argc, argv, kHelp, [](const QDir& workspace) {
        sp::tools::RenderJob job = sp::tools::readRenderJob(workspace, sp::tools::JobKeys::Frames);
        if (job.animation)
            sp::tools::AnimationWriter(std::move(job)).run();
        else
            sp::tools::MovieWriter(std::move(job)).run();
    });
}
