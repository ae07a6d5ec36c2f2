// The material panel imports, lists, highlights and removes materials through
// the document, and remembers where pictures were chosen.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QUrl>

#include "materials/material_import.h"
#include "panels/material_list_view.h"
#include "panels/material_panel.h"
#include "panels_test_support.h"

namespace sp {
namespace {

namespace fs = std::filesystem;
using testing::writePicture;

class MaterialPanelTest : public testing::PanelTestBase {
  protected:
    MaterialPanelTest()
        : pictures(root / "pictures"), panel(doc, context.setup(), prompts, context.programDir()) {
        fs::create_directories(pictures);
        panel.resize(220, 350);
    }

    // A drag of local files entering the panel and dropped on it; whether the
    // panel took it.
    bool drop(const QStringList& files) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& file : files) urls << QUrl::fromLocalFile(file);
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 100), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&panel, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(QPointF(50, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&panel, &dropped);
        settle();
        return dropped.isAccepted();
    }

    fs::path picture(const std::string& name, int side = 8) {
        writePicture(pictures / name, side, side);
        return pictures / name;
    }
    std::size_t count() { return doc.project().materials.size(); }
    QStringList names() {
        QStringList result;
        for (const Material& m : doc.project().materials.materials())
            result << QString::fromStdString(m.name);
        return result;
    }

    fs::path pictures;
    MaterialPanel panel;
};

TEST_F(MaterialPanelTest, TheAddButtonImportsTheChosenPictureAndRemembersItsFolder) {
    prompts.fileChoices.push_back(picture("fire.png").string());
    panel.addButton()->click();

    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const FileDialogRequest& first = prompts.fileRequests[0];
    EXPECT_EQ(first.initialFolder, (context.programDir() / "素材").string());
    ASSERT_EQ(first.filters.size(), 1u);
    EXPECT_EQ(first.filters[0].first, "すべてのファイル(*.*)");
    EXPECT_EQ(first.filters[0].second, "*.*");
    EXPECT_EQ(names(), QStringList{"fire.png"});
    EXPECT_EQ(panel.list()->contentHeight(), MaterialListView::kRowHeight);
    EXPECT_EQ(context.setup().readString("Directory", "Material"), pictures.string());

    // The next dialog opens where the last picture came from; a cancelled one
    // changes nothing.
    panel.addButton()->click();
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_EQ(prompts.fileRequests[1].initialFolder, pictures.string());
    EXPECT_EQ(count(), 1u);
}

TEST_F(MaterialPanelTest, ARowShowsTheThumbnailAndRemovalEmptiesTheList) {
    panel.importFiles({QString::fromStdString(picture("ember.png", 16).string())});
    ASSERT_EQ(count(), 1u);
    panel.show();
    const QImage shown = panel.list()->viewport()->grab().toImage();
    // The middle of the 38 × 38 thumbnail at (5, 5) is the picture's colour.
    const QColor middle =
        shown.pixelColor(24 * shown.devicePixelRatio(), 24 * shown.devicePixelRatio());
    EXPECT_NEAR(middle.red(), 200, 4);
    EXPECT_NEAR(middle.green(), 100, 4);
    EXPECT_NEAR(middle.blue(), 50, 4);

    const fs::path file = doc.project().materials.materials()[0].file;
    panel.removeButton()->click();
    EXPECT_EQ(count(), 0u);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(panel.list()->contentHeight(), 0);
}

TEST_F(MaterialPanelTest, ARemovalBelowTheLastRowDoesNothing) {
    panel.importFiles({QString::fromStdString(picture("a.png").string())});
    panel.list()->setSelectedRow(1);
    panel.removeButton()->click();
    EXPECT_EQ(count(), 1u);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(MaterialPanelTest, DroppedPicturesAreImportedInOrder) {
    const QString b = QString::fromStdString(picture("b.png").string());
    const QString a = QString::fromStdString(picture("a.png").string());
    EXPECT_TRUE(drop({b, a}));
    EXPECT_EQ(names(), (QStringList{"a.png", "b.png"}));

    // Dropped again, the picture of the same name asks first.
    prompts.yesNoAnswers = {false};
    EXPECT_TRUE(drop({a}));
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].text, kOverwriteMaterialText);

    // Something that is not a file is not taken.
    QMimeData text;
    text.setText("ノード1");
    QDragEnterEvent enter(QPoint(50, 100), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&panel, &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(MaterialPanelTest, AClickSelectsTheRowUnderItInTheScrolledList) {
    QStringList files;
    for (int i = 0; i < 10; ++i)
        files << QString::fromStdString(picture("m" + std::to_string(i) + ".png").string());
    panel.importFiles(files);
    ASSERT_EQ(count(), 10u);
    panel.show();
    // A list whose rows area is 200 pixels high.
    panel.resize(220, 240 + 2 * panel.list()->frameWidth());
    MaterialListView& list = *panel.list();
    ASSERT_EQ(list.viewport()->height(), 200);
    EXPECT_EQ(list.contentHeight(), 480);
    EXPECT_EQ(list.verticalScrollBar()->maximum(), 480 - 200);
    EXPECT_EQ(list.verticalScrollBar()->pageStep(), 200);
    EXPECT_EQ(list.verticalScrollBar()->singleStep(), 4);

    list.verticalScrollBar()->setValue(100);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
    EXPECT_EQ(list.selectedRow(), 2);

    // Removing the third keeps the row highlighted, now on the next material.
    panel.removeButton()->click();
    EXPECT_EQ(count(), 9u);
    EXPECT_FALSE(names().contains("m2.png"));
    EXPECT_EQ(list.selectedRow(), 2);
    EXPECT_EQ(list.verticalScrollBar()->maximum(), 432 - 200);
}

TEST_F(MaterialPanelTest, AnUnsupportedFileIsRefusedWithTheFormatsAndNothingIsListed) {
    writePicture(pictures / "anim.gif", 8, 8, "PNG");
    prompts.fileChoices.push_back((pictures / "anim.gif").string());
    panel.addButton()->click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              "対応していない形式のファイルです。\n\n対応形式：bmp,png,jpg");
    EXPECT_EQ(count(), 0u);
    // A refused picture's folder is not remembered.
    EXPECT_EQ(context.setup().readString("Directory", "Material"), "");
}

TEST_F(MaterialPanelTest, OpeningAProjectListsItsMaterials) {
    panel.importFiles({QString::fromStdString(picture("old.png").string())});
    ASSERT_TRUE(context.files().openByPath(fs::path(SPARKPLUME_SAMPLES_DIR) / "burst.spd"));
    EXPECT_FALSE(names().contains("old.png"));
    EXPECT_EQ(panel.list()->contentHeight(),
              static_cast<int>(count()) * MaterialListView::kRowHeight);
}

}  // namespace
}  // namespace sp
