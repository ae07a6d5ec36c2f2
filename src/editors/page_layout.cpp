#include "editors/page_layout.h"

namespace sp::pages {
namespace {

using F = NodeFieldId;
using K = ControlKind;

constexpr ControlPlan number(int dx, int dy, F field, int32_t minimum, int32_t maximum,
                             std::string_view after, std::string_view help, bool numberOnly = false,
                             int width = 0) {
    return {.kind = K::Number,
            .dx = dx,
            .dy = dy,
            .width = width,
            .height = kNumberFieldHeight,
            .field = field,
            .minimum = minimum,
            .maximum = maximum,
            .numberOnly = numberOnly,
            .after = after,
            .help = help};
}

constexpr ControlPlan check(int dx, int dy, int width, int height, std::string_view text, F field,
                            std::string_view help) {
    return {.kind = K::Check,
            .dx = dx,
            .dy = dy,
            .width = width,
            .height = height,
            .text = text,
            .field = field,
            .minimum = 0,
            .maximum = 1,
            .help = help};
}

constexpr ControlPlan radio(int dx, int dy, int width, int height, std::string_view text, F field,
                            int32_t value, std::string_view help) {
    return {.kind = K::Radio,
            .dx = dx,
            .dy = dy,
            .width = width,
            .height = height,
            .text = text,
            .field = field,
            .value = value,
            .help = help};
}

constexpr ControlPlan text(int dx, int dy, std::string_view text) {
    return {.kind = K::Text, .dx = dx, .dy = dy, .text = text};
}

constexpr ControlPlan combo(K kind, int dx, int dy, std::string_view help) {
    return {.kind = kind, .dx = dx, .dy = dy, .width = 180, .height = 400, .help = help};
}

constexpr ControlPlan curve(CurveSlot slot, int x, int y, std::string_view help) {
    return {.kind = K::Curve,
            .dx = x,
            .dy = y,
            .width = 180,
            .height = 100,
            .slot = slot,
            .help = help};
}

constexpr std::string_view kVariationText = QT_TRANSLATE_NOOP("Sparkplume", "（誤差");
constexpr std::string_view kClosePercent = QT_TRANSLATE_NOOP("Sparkplume", "％）");
constexpr std::string_view kInheritText = QT_TRANSLATE_NOOP("Sparkplume", "親ノードの影響");

// Emission page.
constexpr ControlPlan kEmitType[] = {
    radio(10, 20, 70, 30, QT_TRANSLATE_NOOP("Sparkplume", "一方向"), F::emitType, kEmitOneDirection,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "パーティクルを１方向に発生させたい場合はここにチェックを入れます。")),
    radio(10, 50, 70, 30, QT_TRANSLATE_NOOP("Sparkplume", "放射状"), F::emitType, kEmitRadial,
          QT_TRANSLATE_NOOP(
              "Sparkplume",
              "パーティクルを放射状に発生させたい場合（爆発系）はここにチェックを入れます。")),
    radio(10, 80, 50, 30, QT_TRANSLATE_NOOP("Sparkplume", "集束"), F::emitType, kEmitConverging,
          QT_TRANSLATE_NOOP(
              "Sparkplume",
              "外側から中央に集まってくるエフェクトを作る場合はここにチェックを入れます。")),
    check(100, 65, 70, 30, QT_TRANSLATE_NOOP("Sparkplume", "等間隔"), F::evenlySpaced,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "チェックを入れると等間隔に、チェックを入れないとランダムな方向にパーテ"
                            "ィクルが発生します。")),
    // "±     度" around the field: the degrees after it, where the blanks would
    // have put them under the field.
    text(100, 25, QT_TRANSLATE_NOOP("Sparkplume", "±")),
    number(115, 20, F::directionSpread, 0, 359, QT_TRANSLATE_NOOP("Sparkplume", "度"),
           QT_TRANSLATE_NOOP("Sparkplume",
                             "パーティクルが発生する方向をランダムに変化させます。±180度以上にする"
                             "と、放射状と同じ結果になります。")),
};
constexpr ControlPlan kLaunchDirection[] = {
    check(10, 163, 150, 30, kInheritText, F::inheritTilt,
          QT_TRANSLATE_NOOP(
              "Sparkplume",
              "チェックを入れると、親のパーティクルの傾きに合わせて発生方向が傾きます。")),
};
constexpr ControlPlan kPositionVariation[] = {
    number(10, 20, F::positionVar, 0, 100, QT_TRANSLATE_NOOP("Sparkplume", "％"),
           QT_TRANSLATE_NOOP("Sparkplume",
                             "パーティクルの発生位置をばらつかせます。100%"
                             "にすると、プロジェクトのサイズと同じ範囲にばらつきます。")),
};
constexpr ControlPlan kEmissionPeriod[] = {
    number(10, 20, F::emitStart, 1, 9999, QT_TRANSLATE_NOOP("Sparkplume", "～"),
           QT_TRANSLATE_NOOP("Sparkplume",
                             "パーティクルが発生し始めるフレーム数を指定します。1にすると最初からパ"
                             "ーティクルが発生します。"),
           true),
    number(85, 20, F::emitEnd, 1, 9999, QT_TRANSLATE_NOOP("Sparkplume", "ﾌﾚｰﾑ "),
           QT_TRANSLATE_NOOP("Sparkplume",
                             "パーティクルが発生しなくなるフレーム数を指定します。パーティクルを1個"
                             "だけ出したい場合は1にします。"),
           true),
};
constexpr ControlPlan kAmount[] = {
    number(10, 20, F::interval, 1, 9999, QT_TRANSLATE_NOOP("Sparkplume", "フレームおき"),
           QT_TRANSLATE_NOOP("Sparkplume",
                             "パーティクルが発生するタイミングを指定します。1にすると、間隔を空けず"
                             "にパーティクルが発生します。"),
           true),
    text(65, 50, kVariationText),
    number(115, 45, F::intervalVar, 0, 100, kClosePercent,
           QT_TRANSLATE_NOOP("Sparkplume",
                             "パーティクルが発生するタイミングをばらつかせます。100%"
                             "にすると、指定した値の0～2倍になります。")),
    number(
        10, 85, F::amount, 0, 9999, QT_TRANSLATE_NOOP("Sparkplume", "個ずつ発生"),
        QT_TRANSLATE_NOOP(
            "Sparkplume",
            "一度に発生するパーティクルの数を指定します。0にするとパーティクルは発生しません。")),
    text(65, 115, kVariationText),
    number(115, 110, F::amountVar, 0, 100, kClosePercent,
           QT_TRANSLATE_NOOP("Sparkplume",
                             "パーティクルが発生する数をばらつかせます。100%"
                             "にすると、指定した値の0～2倍になります。")),
};
constexpr ControlPlan kLife[] = {
    number(10, 20, F::life, 0, 9999, QT_TRANSLATE_NOOP("Sparkplume", "フレーム"),
           QT_TRANSLATE_NOOP("Sparkplume", "パーティクルが消滅するまでのフレーム数を指定します。")),
    text(65, 50, kVariationText),
    number(115, 45, F::lifeVar, 0, 100, kClosePercent,
           QT_TRANSLATE_NOOP("Sparkplume",
                             "パーティクルが消滅するまでの時間をばらつかせます。100%"
                             "にすると、指定した値の0～2倍になります。")),
};
constexpr SectionPlan kEmissionSections[] = {
    {QT_TRANSLATE_NOOP("Sparkplume", "発生タイプ"), 10, 115, kEmitType},
    // The dial's section is drawn around the dial's centre (115, 230).
    {QT_TRANSLATE_NOOP("Sparkplume", "発射方向"), 130, 195, kLaunchDirection},
    {QT_TRANSLATE_NOOP("Sparkplume", "発生位置誤差"), 330, 55, kPositionVariation},
    {QT_TRANSLATE_NOOP("Sparkplume", "発生期間"), 390, 55, kEmissionPeriod},
    {QT_TRANSLATE_NOOP("Sparkplume", "発生量"), 450, 145, kAmount},
    {QT_TRANSLATE_NOOP("Sparkplume", "寿命"), 600, 80, kLife},
};

// Texture page.
constexpr ControlPlan kImage[] = {
    combo(K::ImageCombo, 10, 20,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "パーティクルに使用する画像を選択します。あらかじめ画像をマテリアルウィ"
                            "ンドウに読み込んでおく必要があります。")),
    radio(10, 50, 90, 30, QT_TRANSLATE_NOOP("Sparkplume", "通常合成"), F::blendMode, kBlendNormal,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "半透明のパーティクル同士が重なった時の表現を自然な色にします。")),
    radio(10, 80, 90, 30, QT_TRANSLATE_NOOP("Sparkplume", "加算合成"), F::blendMode, kBlendAdditive,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "半透明のパーティクル同士が重なった時に明るく表現します。背景色が変わる"
                            "と色が変わるので注意してください。")),
};
constexpr ControlPlan kOrientation[] = {
    radio(10, 20, 70, 30, QT_TRANSLATE_NOOP("Sparkplume", "固定　"), F::orientation, kOrientFixed,
          QT_TRANSLATE_NOOP("Sparkplume", "パーティクルの向きを固定します。")),
    radio(10, 50, 90, 30, QT_TRANSLATE_NOOP("Sparkplume", "移動方向"), F::orientation,
          kOrientTravel,
          QT_TRANSLATE_NOOP(
              "Sparkplume",
              "パーティクルが移動方向を向きます。使用する画像は左に進む向きで用意してください。")),
    radio(10, 80, 90, 30, QT_TRANSLATE_NOOP("Sparkplume", "ランダム"), F::orientation,
          kOrientRandom, QT_TRANSLATE_NOOP("Sparkplume", "テクスチャの向きがランダムになります。")),
};
constexpr ControlPlan kTrail[] = {
    combo(K::TrailCombo, 10, 20, QT_TRANSLATE_NOOP("Sparkplume", "しっぽに使う画像を指定します。")),
    number(10, 60, F::trailLength, 0, 9999, QT_TRANSLATE_NOOP("Sparkplume", "フレーム"),
           QT_TRANSLATE_NOOP("Sparkplume", "しっぽの長さを指定します。"), true),
};
constexpr SectionPlan kTextureSections[] = {
    {QT_TRANSLATE_NOOP("Sparkplume", "画像"), 10, 115, kImage},
    {QT_TRANSLATE_NOOP("Sparkplume", "向き"), 130, 115, kOrientation},
    {QT_TRANSLATE_NOOP("Sparkplume", "軌跡"), 250, 95, kTrail},
};

// Movement page.
constexpr ControlPlan kSpeedChange[] = {
    curve(kCurveSpeed, 25, 50,
          QT_TRANSLATE_NOOP(
              "Sparkplume",
              "パーティクルの移動速度を表すグラフです。上が速く、下が遅くなり、横軸は時間を表します"
              "。左クリックでポイント追加、右クリックでポイント削除ができます。")),
};
constexpr ControlPlan kMaxSpeed[] = {
    number(10, 20, F::maxSpeed, 0, 9999, QT_TRANSLATE_NOOP("Sparkplume", " ﾄﾞｯﾄ／ﾌﾚｰﾑ"),
           QT_TRANSLATE_NOOP(
               "Sparkplume",
               "パーティクルの速度を設定します。グラフが1番上に来た時の速度となります。")),
    text(65, 50, kVariationText),
    number(115, 45, F::speedVar, 0, 100, kClosePercent,
           QT_TRANSLATE_NOOP(
               "Sparkplume",
               "パーティクルの速度をばらつかせます。100%にすると、指定した値の0～2倍になります。")),
};
constexpr ControlPlan kGravity[] = {
    number(10, 20, F::gravity, -999, 999, "",
           QT_TRANSLATE_NOOP("Sparkplume",
                             "パーティクルに重力をかけます。マイナスの値を設定すれば上昇します。"),
           true, 67),
};
constexpr SectionPlan kMovementSections[] = {
    {QT_TRANSLATE_NOOP("Sparkplume", "スピード変化"), 10, 145, kSpeedChange},
    {QT_TRANSLATE_NOOP("Sparkplume", "最大速度"), 160, 80, kMaxSpeed},
    {QT_TRANSLATE_NOOP("Sparkplume", "重力"), 245, 55, kGravity},
};

// Colour page.
constexpr ControlPlan kColour[] = {
    curve(kCurveRed, 25, 35,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "画像の赤の成分の強弱を表すグラフです。画像の本来の色以上に赤くすること"
                            "はできません。")),
    curve(kCurveGreen, 25, 150,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "画像の緑の成分の強弱を表すグラフです。画像の本来の色以上に緑にすること"
                            "はできません。　")),
    curve(kCurveBlue, 25, 265,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "画像の青の成分の強弱を表すグラフです。画像の本来の色以上に青くすること"
                            "はできません。")),
};
constexpr ControlPlan kBrightness[] = {
    number(10, 20, F::brightnessVar, 0, 100, QT_TRANSLATE_NOOP("Sparkplume", "％"),
           QT_TRANSLATE_NOOP(
               "Sparkplume",
               "パーティクルの明るさをばらつかせます。100%にすると、黒～白になります。")),
};
constexpr ControlPlan kOpacity[] = {
    curve(kCurveAlpha, 25, 465,
          QT_TRANSLATE_NOOP(
              "Sparkplume",
              "画像のアルファ値（透明度）を表すグラフです。上が通常、下が透明になります。")),
    check(10, 130, 150, 30, kInheritText, F::inheritAlpha,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "チェックを入れると、親のパーティクルが半透明だった場合は子のパーティク"
                            "ルも半透明になります。")),
};
constexpr SectionPlan kColourSections[] = {
    {QT_TRANSLATE_NOOP("Sparkplume", "色（ＲＧＢ）"), 10, 360, kColour},
    {QT_TRANSLATE_NOOP("Sparkplume", "明るさ誤差"), 380, 55, kBrightness},
    {QT_TRANSLATE_NOOP("Sparkplume", "不透明度"), 440, 165, kOpacity},
};

// Size page.
constexpr ControlPlan kScaleChange[] = {
    curve(kCurveSize, 25, 50,
          QT_TRANSLATE_NOOP(
              "Sparkplume",
              "パーティクルのサイズを表すグラフです。上が大きく、下が小さくなり、横軸は時間を表しま"
              "す。左クリックでポイント追加、右クリックでポイント削除ができます。")),
};
constexpr ControlPlan kMaxSize[] = {
    number(10, 20, F::maxSize, 0, 9999, QT_TRANSLATE_NOOP("Sparkplume", "ドット"),
           QT_TRANSLATE_NOOP(
               "Sparkplume",
               "パーティクルのサイズを設定します。グラフが1番上に来た時のサイズとなります。")),
    text(65, 50, kVariationText),
    number(
        115, 45, F::sizeVar, 0, 100, kClosePercent,
        QT_TRANSLATE_NOOP(
            "Sparkplume",
            "パーティクルのサイズをばらつかせます。100%にすると、指定した値の0～2倍になります。")),
    check(10, 80, 150, 30, kInheritText, F::inheritSize,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "チェックを入れると、親のパーティクルのサイズに合わせて子のパーティクル"
                            "のサイズが変化します。")),
};
constexpr ControlPlan kHeight[] = {
    check(10, 20, 130, 30, QT_TRANSLATE_NOOP("Sparkplume", "縦横比を固定"), F::keepAspect,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "チェックを入れると、パーティクルの高さが最大サイズと同じになります。高"
                            "さを別に指定したい場合はチェックを外します。")),
    number(10, 50, F::maxHeight, 0, 9999, QT_TRANSLATE_NOOP("Sparkplume", "ドット"),
           QT_TRANSLATE_NOOP(
               "Sparkplume",
               "パーティクルの高さ（幅）指定します。グラフが1番上に来た時のサイズとなります。")),
};
constexpr SectionPlan kSizeSections[] = {
    {QT_TRANSLATE_NOOP("Sparkplume", "拡大率変化"), 10, 145, kScaleChange},
    {QT_TRANSLATE_NOOP("Sparkplume", "最大サイズ"), 160, 115, kMaxSize},
    {QT_TRANSLATE_NOOP("Sparkplume", "高さ（太さ）"), 280, 85, kHeight},
};

// Rotation page.
constexpr ControlPlan kRotationAngle[] = {
    curve(kCurveRotation, 25, 50,
          QT_TRANSLATE_NOOP(
              "Sparkplume",
              "パーティクルの回転角度を表すグラフです。上が大きく、下が小さくなり、横軸は時間を表し"
              "ます。左クリックでポイント追加、右クリックでポイント削除ができます。")),
};
constexpr ControlPlan kMaxAngle[] = {
    number(10, 20, F::maxAngle, 0, 9999, QT_TRANSLATE_NOOP("Sparkplume", "度"),
           QT_TRANSLATE_NOOP(
               "Sparkplume",
               "パーティクルの回転角度を設定します。グラフが1番上に来た時の角度となります。")),
    text(65, 50, kVariationText),
    number(115, 45, F::rotationVar, 0, 100, kClosePercent,
           QT_TRANSLATE_NOOP("Sparkplume",
                             "パーティクルの回転角度をばらつかせます。100%"
                             "にすると、指定した値の0～2倍になります。")),
};
constexpr ControlPlan kSpin[] = {
    radio(10, 20, 90, 30, QT_TRANSLATE_NOOP("Sparkplume", "時計回り"), F::spinDirection,
          kSpinClockwise,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "チェックを入れると、パーティクルは時計回りに回転します。")),
    radio(10, 50, 110, 30, QT_TRANSLATE_NOOP("Sparkplume", "反時計回り"), F::spinDirection,
          kSpinCounterClockwise,
          QT_TRANSLATE_NOOP("Sparkplume",
                            "チェックを入れると、パーティクルは反時計回りに回転します。")),
    radio(
        10, 80, 90, 30, QT_TRANSLATE_NOOP("Sparkplume", "ランダム"), F::spinDirection, kSpinRandom,
        QT_TRANSLATE_NOOP("Sparkplume",
                          "チェックを入れると、パーティクルの回転する向きはランダムになります。")),
};
constexpr SectionPlan kRotationSections[] = {
    {QT_TRANSLATE_NOOP("Sparkplume", "回転角度"), 10, 145, kRotationAngle},
    {QT_TRANSLATE_NOOP("Sparkplume", "最大角度"), 160, 80, kMaxAngle},
    {QT_TRANSLATE_NOOP("Sparkplume", "回転方向"), 245, 115, kSpin},
};

}  // namespace

const std::array<PagePlan, kPageCount>& parameterPages() {
    static const std::array<PagePlan, kPageCount> pages = {{
        {QT_TRANSLATE_NOOP("Sparkplume", " 発生方法"), kEmissionSections},
        {QT_TRANSLATE_NOOP("Sparkplume", "テクスチャ"), kTextureSections},
        {QT_TRANSLATE_NOOP("Sparkplume", " 　移動"), kMovementSections},
        {QT_TRANSLATE_NOOP("Sparkplume", "  カラー"), kColourSections},
        {QT_TRANSLATE_NOOP("Sparkplume", "  サイズ"), kSizeSections},
        {QT_TRANSLATE_NOOP("Sparkplume", "   回転"), kRotationSections},
    }};
    return pages;
}

int numberFieldWidth(const ControlPlan& control) {
    if (control.width != 0) return control.width;
    int digits = 1;
    for (int64_t m = control.maximum; m >= 10 || m <= -10; m /= 10) ++digits;
    return 10 * digits + 15;
}

int tabAt(int y) {
    if (y < 0) return -1;
    const int page = y / kTabHeight;
    return page < kPageCount ? page : -1;
}

}  // namespace sp::pages
