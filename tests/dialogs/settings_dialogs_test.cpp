// The settings dialogs driven as a user would, without exec(): fields filled,
// buttons pressed, and the document checked afterwards.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <optional>
#include <string>
#include <vector>

#include "app/dialogs/about_box.h"
#include "app/dialogs/animation_dialog.h"
#include "app/dialogs/background_image_dialog.h"
#include "app/dialogs/emission_dialog.h"
#include "app/dialogs/integer_field.h"
#include "app/dialogs/settings_rules.h"
#include "app/dialogs/size_dialog.h"
#include "document/app_context.h"

namespace sp {
namespace {

class RecordingPrompts : public Prompts {
  public:
    std::vector<std::string> messages;
    std::optional<std::string> fileToOpen;
    std::vector<FileDialogRequest> fileRequests;

    void showMessage(std::string_view text, std::string_view) override {
        messages.emplace_back(text);
    }
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        return fileToOpen;
    }
};

void pressOk(QDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

// A new project, 256 × 256 with the emission at (128, 128), 30 frames at 60.
class SettingsDialogsTest : public ::testing::Test {
  protected:
    SettingsDialogsTest()
        : context(prompts, {temp.path().toStdString(), {}, false, {}}), doc(context.document()) {
        context.start();
        doc.undoStack().clear();
    }

    const ProjectState& state() const { return doc.state(); }

    // Counts how often the dialog closed, with which result.
    void watch(QDialog& dialog) {
        QObject::connect(&dialog, &QDialog::finished,
                         [this](int result) { results.push_back(result); });
    }

    std::string writePicture(const char* name) {
        const std::string path = temp.filePath(QString::fromUtf8(name)).toStdString();
        QImage image(8, 4, QImage::Format_ARGB32);
        image.fill(Qt::red);
        EXPECT_TRUE(image.save(QString::fromStdString(path)));
        return path;
    }

    QTemporaryDir temp;
    RecordingPrompts prompts;
    AppContext context;
    Document& doc;
    std::vector<int> results;
};

TEST_F(SettingsDialogsTest, AnimationShowsTheDurationAsTypedAndStoresOnOk) {
    AnimationDialog dialog(doc);
    EXPECT_EQ(dialog.framesEdit()->text(), "30");
    EXPECT_EQ(dialog.rateEdit()->text(), "60");
    EXPECT_EQ(dialog.durationLabel()->text(), "0.5");
    dialog.framesEdit()->setText("100");
    EXPECT_EQ(dialog.durationLabel()->text(), "1.6");
    dialog.rateEdit()->setText("0");
    EXPECT_EQ(dialog.durationLabel()->text(), "100.0");  // as at rate 1
    EXPECT_EQ(state().frameCount, 30) << "nothing changes before OK";

    pressOk(dialog);
    EXPECT_EQ(state().frameCount, 100);
    EXPECT_EQ(state().previewFps, 1);
    EXPECT_TRUE(doc.isModified());
    doc.undoStack().undo();
    EXPECT_EQ(state().frameCount, 30);
    EXPECT_EQ(state().previewFps, 60);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(SettingsDialogsTest, CancelLeavesEveryDialogsValuesAlone) {
    AnimationDialog animation(doc);
    animation.framesEdit()->setText("5");
    animation.reject();
    EmissionDialog emission(doc);
    emission.xEdit()->setText("5");
    emission.reject();
    SizeDialog size(doc);
    size.widthField()->setText("5");
    size.reject();
    EXPECT_EQ(state().frameCount, 30);
    EXPECT_EQ(state().emitX, 128);
    EXPECT_EQ(state().projectWidth, 256);
    EXPECT_EQ(doc.undoStack().count(), 0);
}

TEST_F(SettingsDialogsTest, EmissionUnitsConvertTheFieldAndOkStoresThePixels) {
    EmissionDialog dialog(doc);
    EXPECT_EQ(dialog.currentXLabel()->text(), "128");
    EXPECT_EQ(dialog.currentYLabel()->text(), "128");
    EXPECT_EQ(dialog.xUnitBox()->currentText(), "pixel");
    EXPECT_EQ(dialog.yUnitBox()->currentText(), "pixel");
    ASSERT_EQ(dialog.xUnitBox()->itemText(0), "%");

    dialog.xEdit()->setText("100");
    dialog.xUnitBox()->setCurrentIndex(0);
    EXPECT_EQ(dialog.xEdit()->text(), "39");
    dialog.xUnitBox()->setCurrentIndex(1);
    EXPECT_EQ(dialog.xEdit()->text(), "99");
    dialog.yUnitBox()->setCurrentIndex(0);
    EXPECT_EQ(dialog.yEdit()->text(), "50");
    dialog.yEdit()->setText("25");  // typed in per cent
    pressOk(dialog);
    EXPECT_EQ(state().emitX, 99);
    EXPECT_EQ(state().emitY, 64);
    doc.undoStack().undo();
    EXPECT_EQ(state().emitX, 128);
    EXPECT_EQ(state().emitY, 128);
}

TEST_F(SettingsDialogsTest, EmissionOkWithoutChangesStillRestartsAndMarksModified) {
    doc.project().state.currentFrame = 3;
    EmissionDialog dialog(doc);
    pressOk(dialog);
    EXPECT_EQ(state().emitX, 128);
    EXPECT_EQ(state().emitY, 128);
    EXPECT_EQ(state().currentFrame, state().frameCount);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.undoStack().count(), 1);
    doc.undoStack().undo();
    EXPECT_EQ(state().emitX, 128);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(SettingsDialogsTest, EmissionOkIsAStepOfItsOwnAfterAMoveInThePreview) {
    doc.setEmissionPosition(10, 20);  // a click in the preview
    EmissionDialog dialog(doc);
    EXPECT_EQ(dialog.currentXLabel()->text(), "10");
    dialog.xEdit()->setText("30");
    pressOk(dialog);
    EXPECT_EQ(doc.undoStack().count(), 2);
    doc.undoStack().undo();
    EXPECT_EQ(state().emitX, 10);
    EXPECT_EQ(state().emitY, 20);
}

TEST_F(SettingsDialogsTest, SizeOkMovesTheLinkedEmissionAndOneUndoBringsAllBack) {
    SizeDialog dialog(doc);
    EXPECT_EQ(dialog.currentWidthLabel()->text(), "256");
    EXPECT_EQ(dialog.widthField()->text(), "256");
    EXPECT_TRUE(dialog.linkBox()->isChecked());
    dialog.widthField()->setText("512");
    dialog.heightField()->setText("128");
    pressOk(dialog);
    EXPECT_EQ(state().projectWidth, 512);
    EXPECT_EQ(state().projectHeight, 128);
    EXPECT_EQ(state().emitX, 256);
    EXPECT_EQ(state().emitY, 64);
    EXPECT_EQ(state().currentFrame, state().frameCount);
    doc.undoStack().undo();
    EXPECT_EQ(state().projectWidth, 256);
    EXPECT_EQ(state().projectHeight, 256);
    EXPECT_EQ(state().emitX, 128);
    EXPECT_EQ(state().emitY, 128);

    SizeDialog unlinked(doc);
    unlinked.linkBox()->setChecked(false);
    unlinked.widthField()->setText("512");
    pressOk(unlinked);
    EXPECT_EQ(state().projectWidth, 512);
    EXPECT_EQ(state().emitX, 128);
}

TEST_F(SettingsDialogsTest, SizeOkClampsWhatWasTyped) {
    struct Case {
        const char* typed;
        int32_t stored;
    };
    for (const Case& c : {Case{"3", 4}, Case{"1024", 1024}, Case{"1025", 2048}, Case{"abc", 4},
                          Case{"-9999999999999999", 4}}) {
        SCOPED_TRACE(c.typed);
        SizeDialog dialog(doc);
        dialog.widthField()->setText(QString::fromUtf8(c.typed));
        dialog.heightField()->setText("100");
        pressOk(dialog);
        EXPECT_EQ(state().projectWidth, c.stored);
        EXPECT_EQ(state().projectHeight, 100);
    }
}

TEST_F(SettingsDialogsTest, SizeLinkFollowsTheRuleInSinglePrecision) {
    doc.setCanvasSize(41, 256, false);
    doc.setEmissionPosition(1, 128);
    SizeDialog dialog(doc);
    dialog.widthField()->setText("82");
    pressOk(dialog);
    EXPECT_EQ(state().emitX, linkedEmissionPosition(1, 41, 82));
    EXPECT_EQ(state().emitX, 1);
}

TEST(IntegerFieldTest, TypedTextStaysAndTheArrowsStepWithinTheRange) {
    IntegerField field;
    field.setRange(4, 1024);
    field.setText("5000");
    EXPECT_EQ(field.text(), "5000");
    EXPECT_EQ(field.value(), 5000);
    field.stepBy(-1);
    EXPECT_EQ(field.text(), "1024");
    field.stepBy(1);
    EXPECT_EQ(field.text(), "1024");
    field.setText("3");
    field.stepBy(1);
    EXPECT_EQ(field.text(), "4");
    field.setText("100px");
    field.stepBy(-10);
    EXPECT_EQ(field.text(), "90");
    field.setText("");
    field.stepBy(1);
    EXPECT_EQ(field.text(), "4");
}

TEST_F(SettingsDialogsTest, BackgroundOkWithAnEmptyPathShowsTheErrorAndStaysOpen) {
    BackgroundImageDialog dialog(doc, prompts);
    watch(dialog);
    EXPECT_EQ(dialog.pathEdit()->text(), "");
    EXPECT_TRUE(dialog.fitButton()->isChecked());
    dialog.okButton()->click();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kBackgroundUnreadableText});
    EXPECT_TRUE(results.empty());
}

TEST_F(SettingsDialogsTest, BackgroundOkLoadsThePictureAndAFailureKeepsTheOldOne) {
    const std::string picture = writePicture("背景.png");
    {
        BackgroundImageDialog dialog(doc, prompts);
        watch(dialog);
        dialog.pathEdit()->setText(QString::fromStdString(picture));
        dialog.originalSizeButton()->setChecked(true);
        dialog.okButton()->click();
        EXPECT_EQ(results, std::vector<int>{QDialog::Accepted});
    }
    EXPECT_EQ(state().backgroundImagePath, picture);
    EXPECT_EQ(state().backgroundOriginalSize, 1);
    EXPECT_EQ(doc.graphics().backgroundImage().width(), 8);
    EXPECT_FALSE(doc.isModified()) << "the picture is not part of the project";

    BackgroundImageDialog again(doc, prompts);
    watch(again);
    EXPECT_EQ(again.pathEdit()->text().toStdString(), picture);
    EXPECT_TRUE(again.originalSizeButton()->isChecked());
    const QString missing = temp.filePath("missing.png");
    again.pathEdit()->setText(missing);
    again.fitButton()->setChecked(true);
    again.okButton()->click();
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(results.size(), 1u) << "the second dialog stays open";
    EXPECT_EQ(again.pathEdit()->text(), missing);
    EXPECT_EQ(state().backgroundImagePath, picture);
    EXPECT_EQ(state().backgroundOriginalSize, 1);
    EXPECT_FALSE(doc.graphics().backgroundImage().empty());
}

TEST_F(SettingsDialogsTest, BackgroundBrowseAsksForAnyFileAndFillsThePath) {
    BackgroundImageDialog dialog(doc, prompts);
    dialog.pathEdit()->setText("typed.png");
    dialog.browseButton()->click();  // cancelled
    EXPECT_EQ(dialog.pathEdit()->text(), "typed.png");
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const std::vector<std::pair<std::string, std::string>> filters = {{"画像ファイル(*.*)", "*.*"}};
    EXPECT_EQ(prompts.fileRequests[0].filters, filters);
    EXPECT_EQ(prompts.fileRequests[0].initialName, "");

    prompts.fileToOpen = writePicture("chosen.png");
    dialog.browseButton()->click();
    EXPECT_EQ(dialog.pathEdit()->text().toStdString(), *prompts.fileToOpen);
    dialog.browseButton()->click();  // now from the picture's folder
    EXPECT_EQ(prompts.fileRequests.back().initialFolder, temp.path().toStdString());
    EXPECT_TRUE(state().backgroundImagePath.empty()) << "nothing is loaded before OK";
}

TEST_F(SettingsDialogsTest, BackgroundClearRemovesThePictureAndCloses) {
    ASSERT_TRUE(doc.setBackgroundPicture(writePicture("bg.png"), false));
    BackgroundImageDialog dialog(doc, prompts);
    watch(dialog);
    dialog.clearButton()->click();
    EXPECT_EQ(results.size(), 1u);
    EXPECT_TRUE(state().backgroundImagePath.empty());
    EXPECT_TRUE(doc.graphics().backgroundImage().empty());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(AboutBoxTest, ThePictureIsSharpOnAHighDensityScreenAndAlwaysTheSame) {
    const QImage picture = AboutBox::picture(2.0);
    EXPECT_EQ(picture.size(), QSize(720, 176));
    EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(360, 88));
    EXPECT_EQ(picture, AboutBox::picture(2.0)) << "drawn the same every time";
}

}  // namespace
}  // namespace sp
