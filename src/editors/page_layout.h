#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/model/emitter_node.h"
#include "core/model/node_fields.h"
#include "document/ui_language.h"

// The six parameter pages as tables: their sections, the controls in them with
// their places, fields, ranges and texts. The panel builds its widgets from
// these and nothing else, so that a place or a text is written once.
namespace sp::pages {

enum PageIndex : int {
    kEmissionPage = 0,
    kTexturePage = 1,
    kMovementPage = 2,
    kColourPage = 3,
    kSizePage = 4,
    kRotationPage = 5,
    kPageCount = 6
};

// The page sheet: 250 wide and 684 high, the tabs on its right edge.
inline constexpr int kSheetWidth = 250;
inline constexpr int kSheetHeight = 684;
inline constexpr int kTabX = 220;  // a press to the right of 219 is on the tab strip
inline constexpr int kTabWidth = 30;
inline constexpr int kTabHeight = 100;

// Sections: a title strip of 200 × 16 and the dark body below it.
inline constexpr int kSectionX = 15;
inline constexpr int kSectionWidth = 200;
inline constexpr int kSectionTitleHeight = 16;

// Controls: a number field is 25 high; its label starts at its right edge, 5
// below its top.
inline constexpr int kNumberFieldHeight = 25;
inline constexpr int kLabelDy = 5;

enum class ControlKind {
    Number,      // a NumberField for `field`, `after` written behind it
    Check,       // a check box for `field` (0 or 1)
    Radio,       // a radio button: `field` = `value`; the radios of one field are a group
    Text,        // a text drawn on the page
    ImageCombo,  // the particle picture: imageIndex and imageName
    TrailCombo,  // the trail picture: trailImageIndex and trailImageName
    Curve,       // a curve editor for `slot`, at (dx, dy) in page coordinates
};

struct ControlPlan {
    ControlKind kind;
    int dx = 0;  // from the section's top-left; curve editors: page coordinates
    int dy = 0;
    int width = 0;  // number fields: 0 means 10 × the digits of the maximum + 15
    int height = 0;
    std::string_view text{};  // caption of a check box or radio; a Text's text
    NodeFieldId field = NodeFieldId::name;
    int32_t minimum = 0;
    int32_t maximum = 0;
    bool numberOnly = false;   // only digits can be typed (and a minus where the range allows)
    std::string_view after{};  // number fields: the text after the field
    int32_t value = 0;         // radios: the value the button stands for
    CurveSlot slot = kCurveRed;
    std::string_view help{};  // the help bar's text for the control
};

struct SectionPlan {
    std::string_view title;
    int y;
    int height;
    std::span<const ControlPlan> controls;
    int x = kSectionX;
};

struct PagePlan {
    std::string_view tab;  // the tab's label, leading blanks included
    std::span<const SectionPlan> sections;
};

const std::array<PagePlan, kPageCount>& parameterPages();

// The width of a number field: as given, or, for 0, room for the maximum's digits.
int numberFieldWidth(const ControlPlan& control);

// Which page a press on the tab strip at sheet height y chooses; -1 below the last tab.
int tabAt(int y);

// The texts of the help bar that no table row of a page holds: the shell's
// windows, and the direction dial by the emission type.
inline constexpr std::string_view kHelpBarHelp = QT_TRANSLATE_NOOP(
    "Sparkplume", "【ヘルプバー】マウスカーソルの位置にある項目の説明を表示します。");
inline constexpr std::string_view kPreviewHelp =
    QT_TRANSLATE_NOOP("Sparkplume", "【プレビューウィンドウ】作成中のエフェクトが表示されます。");
inline constexpr std::string_view kNodePanelHelp = QT_TRANSLATE_NOOP(
    "Sparkplume", "【ノードパネル】各ノード（パーティクルの設定）の親子関係を表示します。");
inline constexpr std::string_view kMaterialPanelHelp =
    QT_TRANSLATE_NOOP("Sparkplume",
                      "【マテリアルパネル】取り込んだ画像ファイルの一覧を表示します。ドラッグ＆ドロ"
                      "ップで追加可能です。");
inline constexpr std::string_view kDialDirectionHelp =
    QT_TRANSLATE_NOOP("Sparkplume",
                      "パーティクルの移動方向を指定します。マウスドラッグで編集してください。（SHIF"
                      "T+ドラッグで45°単位）");
inline constexpr std::string_view kDialSpreadHelp =
    QT_TRANSLATE_NOOP("Sparkplume",
                      "パーティクルの広がり方を指定します。マウスドラッグで編集してください。（ダブ"
                      "ルクリックでリセット、SHIFT+ドラッグで真円）");

}  // namespace sp::pages
