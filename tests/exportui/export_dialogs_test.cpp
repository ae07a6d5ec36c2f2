// The export dialogs driven as a user would, without exec(): fields typed,
// lists chosen, the slider paged, buttons pressed.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "app/dialogs/export_options_dialog.h"
#include "app/dialogs/export_rules.h"
#include "app/dialogs/integer_field.h"
#include "app/dialogs/sheet_layout_dialog.h"

namespace sp {
namespace {

namespace fs = std::filesystem;

// Whether OK closed the dialog.
bool pressExport(ExportOptionsDialog& dialog) {
    bool accepted = false;
    QObject::connect(&dialog, &QDialog::accepted, [&] { accepted = true; });
    dialog.exportButton()->click();
    return accepted;
}

TEST(ExportOptionsDialogTest, OpensWithTheWholeLoopAndFollowsTheEnablingRules) {
    ExportOptionsDialog dialog(30);
    EXPECT_EQ(dialog.endField()->text(), "30");
    for (IntegerField* field : {dialog.startField(), dialog.endField(), dialog.stepField()})
        EXPECT_EQ(field->maximum(), 30);
    EXPECT_TRUE(dialog.transparentBox()->isChecked());

    QComboBox* layout = dialog.layoutList();
    QComboBox* type = dialog.typeList();
    QCheckBox* box = dialog.transparentBox();
    layout->setCurrentIndex(kLayoutMovie);
    EXPECT_FALSE(type->isEnabled());
    EXPECT_FALSE(box->isEnabled());
    layout->setCurrentIndex(kLayoutFiles);
    EXPECT_TRUE(type->isEnabled());
    EXPECT_TRUE(box->isEnabled());
    type->setCurrentIndex(kFileJpeg);
    EXPECT_FALSE(box->isEnabled());
    layout->setCurrentIndex(kLayoutMovie);
    layout->setCurrentIndex(kLayoutSheet);  // JPEG still chosen
    EXPECT_TRUE(type->isEnabled());
    EXPECT_FALSE(box->isEnabled());
    type->setCurrentIndex(kFileBmp);
    EXPECT_TRUE(box->isEnabled());
}

TEST(ExportOptionsDialogTest, HandsTheTypedSettingsAndTransparencyOnlyWhereItCanBe) {
    ExportOptionsDialog dialog(30);
    dialog.startField()->setText("2");
    dialog.endField()->setText(" 29x");  // read like atoi
    dialog.stepField()->setText("3");
    dialog.layoutList()->setCurrentIndex(kLayoutFiles);
    dialog.typeList()->setCurrentIndex(kFileBmp);
    ExportSettings s = dialog.settings();
    EXPECT_EQ(s.exportStart, 2);
    EXPECT_EQ(s.exportEnd, 29);
    EXPECT_EQ(s.exportStep, 3);
    EXPECT_EQ(s.exportLayout, kLayoutFiles);
    EXPECT_EQ(s.exportFileType, kFileBmp);
    EXPECT_EQ(s.exportTransparent, 1);

    // A box left ticked does not make JPEG or a movie transparent.
    dialog.typeList()->setCurrentIndex(kFileJpeg);
    EXPECT_EQ(dialog.settings().exportTransparent, 0);
    dialog.typeList()->setCurrentIndex(kFilePng);
    dialog.layoutList()->setCurrentIndex(kLayoutMovie);
    EXPECT_EQ(dialog.settings().exportTransparent, 0);
    dialog.layoutList()->setCurrentIndex(kLayoutSheet);
    dialog.transparentBox()->setChecked(false);
    EXPECT_EQ(dialog.settings().exportTransparent, 0);
}

TEST(ExportOptionsDialogTest, RefusesRangesTheExportCannotRunAndStaysOpen) {
    ExportOptionsDialog dialog(30);
    struct Case {
        const char *start, *end, *step, *says;
    };
    for (const Case& c :
         {Case{"1", "30", "0", "フレーム毎の値は1以上にしてください。"},
          Case{"1", "30", "abc", "フレーム毎の値は1以上にしてください。"},
          Case{"20", "10", "1", "最初のフレームは最後のフレーム以下にしてください。"},
          Case{"1", "31", "1", "書き出すフレームは1から30の範囲で指定してください。"},
          Case{"0", "5", "1", "書き出すフレームは1から30の範囲で指定してください。"},
          Case{"2", "2", "2", "書き出すフレームがありません。"}}) {
        dialog.startField()->setText(c.start);
        dialog.endField()->setText(c.end);
        dialog.stepField()->setText(c.step);
        EXPECT_FALSE(pressExport(dialog)) << c.says;
        EXPECT_FALSE(dialog.problemLabel()->isHidden());
        EXPECT_EQ(dialog.problemLabel()->text(), c.says);
    }
    // A range that can run closes the dialog.
    dialog.startField()->setText("1");
    dialog.stepField()->setText("1");
    EXPECT_TRUE(pressExport(dialog));
}

TEST(ExportOptionsDialogTest, TheSheetOptionsAndTheAnimatedLayoutsAreChosenAndChecked) {
    ExportOptionsDialog dialog(30);
    dialog.setCanvas(256, 256);
    EXPECT_EQ(dialog.layoutList()->count(), 6);
    EXPECT_TRUE(dialog.trimList()->isEnabled() || dialog.trimList()->parentWidget()->isEnabled());
    ExportSettings remembered;
    remembered.sheet.trim = exchange::Trim::Shared;
    remembered.sheet.padding = 4;
    remembered.sheet.alpha = exchange::AlphaMode::Premultiplied;
    remembered.exportQuality = 55;
    dialog.setOptions(remembered);
    ExportSettings chosen = dialog.settings();
    EXPECT_EQ(chosen.sheet, remembered.sheet);
    EXPECT_EQ(chosen.exportQuality, 55);

    // The sheet's options only for the sheet, the quality only for WebP.
    dialog.layoutList()->setCurrentIndex(kLayoutWebp);
    EXPECT_FALSE(dialog.trimList()->isEnabledTo(&dialog));
    EXPECT_TRUE(dialog.qualityField()->isEnabledTo(&dialog));
    dialog.losslessBox()->setChecked(true);
    EXPECT_FALSE(dialog.qualityField()->isEnabledTo(&dialog));
    EXPECT_EQ(dialog.settings().exportQuality, exchange::kLosslessQuality);
    EXPECT_TRUE(dialog.transparentBox()->isEnabled());

    // Animated pictures need PNG frames; padding beyond 64 and a limit below the frame
    // are refused in the dialog.
    dialog.typeList()->setCurrentIndex(kFileJpeg);
    EXPECT_FALSE(pressExport(dialog));
    EXPECT_TRUE(dialog.problemLabel()->text().contains("PNG"));
    dialog.typeList()->setCurrentIndex(kFilePng);
    dialog.layoutList()->setCurrentIndex(kLayoutSheet);
    dialog.paddingField()->setText("65");
    EXPECT_FALSE(pressExport(dialog));
    EXPECT_TRUE(dialog.problemLabel()->text().contains("余白"));
    dialog.paddingField()->setText("0");
    dialog.maxSizeField()->setText("200");
    EXPECT_FALSE(pressExport(dialog));
    dialog.maxSizeField()->setText("4096");
    EXPECT_TRUE(pressExport(dialog));
}

TEST(SheetLayoutDialogTest, TheDivisionFieldLimitsTheSliderAndZeroCountsAsOne) {
    SheetLayoutDialog dialog(30, 256, 256, 3);
    EXPECT_EQ(dialog.windowTitle(), "並べて保存");
    QSlider* slider = dialog.slider();
    EXPECT_EQ(dialog.divisionField()->text(), "3");
    EXPECT_EQ(dialog.divisionField()->maximum(), 30);
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 10);  // 30 frames over 3 sheets
    EXPECT_EQ(slider->value(), 5);
    EXPECT_EQ(dialog.layout().renderIniValues(), (SheetLayout::RenderIniValues{5, 2, 3}));

    dialog.divisionField()->setText("0");
    EXPECT_EQ(dialog.layout().sheetDivision(), 1);
    EXPECT_EQ(slider->maximum(), 30);
    dialog.divisionField()->setText("15");
    EXPECT_EQ(slider->maximum(), 2);
    EXPECT_EQ(slider->value(), 2);
    EXPECT_EQ(dialog.layout().sheetColumns(), 2.0f);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_TRUE(dialog.problemLabel()->isHidden());
}

TEST(SheetLayoutDialogTest, PagingStopsAtOneColumnAndAtOneSheetsCells) {
    SheetLayoutDialog dialog(30, 64, 32, 1);
    QSlider* slider = dialog.slider();
    ASSERT_EQ(slider->maximum(), 30);
    for (int i = 0; i < 20; ++i) slider->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(slider->value(), 1);
    EXPECT_EQ(dialog.layout().sheetColumns(), 1.0f);
    EXPECT_EQ(dialog.layout().renderIniValues(), (SheetLayout::RenderIniValues{1, 30, 1}));
    for (int i = 0; i < 20; ++i) slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(dialog.layout().sheetColumns(), 30.0f);
    EXPECT_EQ(slider->value(), 30);
    // The keys' single steps move the layout along with the thumb.
    slider->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(dialog.layout().sheetColumns(), 29.0f);
}

TEST(SheetLayoutDialogTest, ADivisionAboveTheFramesDisablesOkAndSaysWhy) {
    SheetLayoutDialog dialog(4, 256, 256, 5);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.slider()->isEnabled());
    EXPECT_FALSE(dialog.problemLabel()->isHidden());
    EXPECT_EQ(dialog.problemLabel()->text(),
              "分割数が書き出すフレーム数より多いため、\n並べて保存できません。\n"
              "分割を4以下にしてください。");
    EXPECT_FALSE(dialog.drawing()->grab().isNull());  // drawn empty, no division by zero

    dialog.divisionField()->setText("2");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_TRUE(dialog.slider()->isEnabled());
    EXPECT_TRUE(dialog.problemLabel()->isHidden());
    EXPECT_EQ(dialog.layout().renderIniValues(), (SheetLayout::RenderIniValues{1, 2, 2}));
}

TEST(SheetLayoutDialogTest, UnderTrimmingTheSizesAreMarkedAsBeforeTrimming) {
    SheetLayoutDialog plain(30, 256, 256, 1);
    EXPECT_TRUE(plain.sizeNoteLabel()->isHidden());
    exchange::SheetOptions o;
    o.trim = exchange::Trim::Each;
    SheetLayoutDialog packed(30, 256, 256, 1, nullptr, o);
    EXPECT_FALSE(packed.sizeNoteLabel()->isHidden());
    EXPECT_EQ(packed.sizeNoteLabel()->text().toStdString(), kSheetSizeBeforeEachTrimText);
}

TEST(ExportReportTest, SaysWhereTheFilesAreAndNeverClaimsAnIncompleteResult) {
    // A long list: its first files and the last. (The editor's exports check the short list.)
    const fs::path out = "/data/out";
    ExportResult files{ExportOutcome::Completed, {}, {}};
    for (int i = 0; i < 30; ++i)
        files.files.push_back(
            out / ("fx" + std::string(i < 10 ? "000" : "00") + std::to_string(i) + ".png"));
    EXPECT_EQ(exportReport(files, false).text,
              "書き出しが完了しました。\n\n保存先：/data/out（30個のファイル）\n\nfx0000.png\n"
              "fx0001.png\nfx0002.png\nfx0003.png\nfx0004.png\nfx0005.png\n…\nfx0029.png");

    // The sheets' sizes as made follow the files, sheets of one size counted once.
    ExportResult sheets{ExportOutcome::Completed, {out / "fx_0.png", out / "fx_0.json"}, {}};
    sheets.sheetSizes = {{512, 512}, {512, 512}, {512, 200}};
    const std::string text = exportReport(sheets, false).text;
    EXPECT_EQ(text.substr(text.rfind("\n\n") + 2),
              "シートの大きさ：512×512 pixel × 2、512×200 pixel");

    // Failures were reported by the run; only a partial result is added.
    EXPECT_TRUE(exportReport({ExportOutcome::Failed, {}, {}}, false).text.empty());
    const ExportReport partial =
        exportReport({ExportOutcome::Failed, {out / "fx0000.png"}, {}}, false);
    EXPECT_EQ(partial.caption, kErrorCaption);
    EXPECT_EQ(partial.text.find(kExportIncompleteText), 0u);
    EXPECT_NE(partial.text.find("fx0000.png"), std::string::npos);
    // A cancelled save or sheet dialog says nothing; a result that vanished does.
    EXPECT_TRUE(exportReport({ExportOutcome::Cancelled, {}, {}}, false).text.empty());
    EXPECT_TRUE(exportReport({ExportOutcome::Completed, {}, {}}, true).text.empty());
    EXPECT_EQ(exportReport({ExportOutcome::Completed, {}, {}}, false).text,
              kExportResultMissingText);
}

}  // namespace
}  // namespace sp
