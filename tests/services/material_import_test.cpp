#include "materials/material_import.h"

#include <gtest/gtest.h>

#include "render/graphics.h"
#include "render/software_device.h"
#include "services_test_support.h"

namespace sp {
namespace {

namespace fs = std::filesystem;
using namespace sp::testing;

class MaterialImportTest : public ::testing::Test {
  protected:
    QTemporaryDir temp;
    fs::path pictures = pathOf(temp) / "pictures";
    fs::path texture = pathOf(temp) / "TEXTURE";
    render::SoftwareDevice device{16, 16};
    ScriptedPrompts prompts;

    void SetUp() override {
        fs::create_directories(pictures);
        fs::create_directories(texture);
        render::setFixedStates(device);
    }
    ImportOutcome import(const fs::path& file) {
        return importMaterial(file, texture, device, prompts);
    }
    QImage result(const std::string& name) {
        return QImage(QString::fromStdString((texture / name).string()))
            .convertToFormat(QImage::Format_ARGB32);
    }
};

TEST_F(MaterialImportTest, AWidePictureFillsTheSquareAndIsCentredVertically) {
    writePicture(pictures / "flame.png", 100, 40);
    const ImportOutcome outcome = import(pictures / "flame.png");
    EXPECT_TRUE(outcome.written);
    EXPECT_TRUE(outcome.modified);
    const QImage square = result("flame.png.png");
    ASSERT_EQ(square.size(), QSize(128, 128));
    // Scaled by 1.28 to 128 × 51.2 at y = 38.4: rows 0–37 and 90–127 stay transparent.
    EXPECT_EQ(qAlpha(square.pixel(64, 37)), 0);
    EXPECT_EQ(qAlpha(square.pixel(64, 39)), 255);
    EXPECT_EQ(qAlpha(square.pixel(64, 88)), 255);
    EXPECT_EQ(qAlpha(square.pixel(64, 90)), 0);
    EXPECT_EQ(square.pixel(10, 64), qRgba(200, 100, 50, 255));  // colours kept, not darkened
    EXPECT_EQ(qAlpha(square.pixel(0, 64)), 255);
}

TEST_F(MaterialImportTest, ATallAndATinyPicture) {
    writePicture(pictures / "tall.bmp", 30, 60, "BMP");
    ASSERT_TRUE(import(pictures / "tall.bmp").written);
    const QImage tall = result("tall.bmp.png");
    ASSERT_EQ(tall.size(), QSize(64, 64));
    EXPECT_EQ(qAlpha(tall.pixel(32, 32)), 255);
    EXPECT_EQ(qAlpha(tall.pixel(0, 32)), 0);  // x = 32 − 15 × 64/60 = 16
    EXPECT_EQ(qAlpha(tall.pixel(63, 32)), 0);

    writePicture(pictures / "dot.png", 1, 1);
    ASSERT_TRUE(import(pictures / "dot.png").written);
    const QImage dot = result("dot.png.png");
    ASSERT_EQ(dot.size(), QSize(2, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(dot.pixel(x, y), qRgba(200, 100, 50, 255));
}

TEST_F(MaterialImportTest, ExtensionsAreComparedWithoutRegardToCase) {
    writePicture(pictures / "photo.JPG", 8, 8, "JPG");
    writePicture(pictures / "Fire.PNG", 8, 8);
    EXPECT_TRUE(import(pictures / "photo.JPG").written);
    EXPECT_TRUE(import(pictures / "Fire.PNG").written);
    EXPECT_TRUE(fs::exists(texture / "photo.JPG.png"));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(MaterialImportTest, UnsupportedUnreadableAndHugePicturesAreRefusedWithoutAFile) {
    writeFile(pictures / "anim.gif", "GIF89a");
    writeFile(pictures / "broken.png", "not a picture");
    QImage huge(8200, 2, QImage::Format_ARGB32);
    huge.fill(0);
    huge.save(QString::fromStdString((pictures / "huge.png").string()));
    writePicture(pictures / "火🔥.png", 4, 4);

    struct Case {
        const char* file;
        const char* text;
    };
    const Case cases[] = {{"anim.gif", kUnsupportedPictureText},
                          {"broken.png", kPictureUnreadableText},
                          {"huge.png", kPictureTooLargeText},
                          {"火🔥.png", kPictureNameNotStorableText}};
    for (const Case& c : cases) {
        prompts.messages.clear();
        const ImportOutcome outcome = import(pictures / c.file);
        EXPECT_FALSE(outcome.written) << c.file;
        EXPECT_FALSE(outcome.modified) << c.file;
        ASSERT_EQ(prompts.messages.size(), 1u) << c.file;
        EXPECT_EQ(prompts.messages[0].text, c.text);
        EXPECT_EQ(prompts.messages[0].caption, "画像を読み込むことができません");
    }
    EXPECT_TRUE(filesIn(texture).empty());
    EXPECT_EQ(std::string(kUnsupportedPictureText),
              "対応していない形式のファイルです。\n\n対応形式：bmp,png,jpg");
}

TEST_F(MaterialImportTest, ImportingTheSameNameAsksBeforeReplacing) {
    writePicture(pictures / "Fire.png", 8, 8);
    ASSERT_TRUE(import(pictures / "Fire.png").written);
    EXPECT_TRUE(prompts.questions.empty());

    writePicture(pictures / "Fire.png", 20, 8);
    prompts.yesNoAnswers = {false};
    const ImportOutcome declined = import(pictures / "Fire.png");
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].text,
              "同名のファイルが存在します。\n上書きしてよろしいですか？");
    EXPECT_EQ(prompts.questions[0].caption, "確認");
    EXPECT_FALSE(declined.written);
    EXPECT_TRUE(declined.modified);
    EXPECT_EQ(result("Fire.png.png").size(), QSize(8, 8));

    prompts.yesNoAnswers = {true};
    EXPECT_TRUE(import(pictures / "Fire.png").written);
    EXPECT_EQ(result("Fire.png.png").size(), QSize(32, 32));
}

TEST_F(MaterialImportTest, CommasInFileNamesCannotBreakTheProjectFile) {
    writePicture(pictures / "a,b.png", 4, 4);
    ASSERT_TRUE(import(pictures / "a,b.png").written);
    EXPECT_EQ(filesIn(texture), std::vector<std::string>{"a，b.png.png"});
}

}  // namespace
}  // namespace sp
