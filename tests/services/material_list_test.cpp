#include "materials/material_list.h"

#include <gtest/gtest.h>

#include "services_test_support.h"

namespace sp {
namespace {

using namespace sp::testing;

TEST(MaterialList, ScansByPatternThenNameAndReadsPictureSizes) {
    QTemporaryDir dir;
    const auto texture = pathOf(dir);
    writePicture(texture / "zeta.png.png", 64, 32);
    writePicture(texture / "alpha.jpg.png", 16, 16);
    writePicture(texture / "b.bmp", 8, 4, "BMP");
    writePicture(texture / "c.jpg", 4, 8, "JPG");
    writePicture(texture / "d.jpeg", 2, 2, "JPG");
    writeFile(texture / "notes.txt", "x");
    writeFile(texture / "broken.png", "not a picture");

    MaterialList list;
    list.reload(texture);
    std::vector<std::string> names = list.names();
    EXPECT_EQ(names, (std::vector<std::string>{"alpha.jpg", "broken", "zeta.png", "b", "c", "d."}));
    EXPECT_EQ(list.materials()[2].width, 64u);
    EXPECT_EQ(list.materials()[2].height, 32u);
    EXPECT_EQ(list.materials()[3].width, 8u);
    EXPECT_EQ(list.materials()[1].width, 0u);  // unreadable pictures stay in the list
}

TEST(MaterialList, ReloadRelinksNodesByNameAndAMaterialNamedSaveIsNeverListed) {
    QTemporaryDir dir;
    const auto texture = pathOf(dir);
    writePicture(texture / "fire.png.png", 4, 4);
    writePicture(texture / "smoke.png.png", 4, 4);
    writePicture(texture / "save.png", 4, 4);

    EmitterNode root(30);
    root.children.push_back(std::make_unique<EmitterNode>(30));
    EmitterNode& node = *root.children[0];
    node.imageName = "smoke.png";
    node.trailImageName = "fire.png";
    MaterialList list;
    reloadMaterials(list, texture, &root);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"fire.png", "smoke.png"}));
    EXPECT_EQ(node.imageIndex, 2);
    EXPECT_EQ(node.trailImageIndex, 1);

    // Removing a material falls back to none but keeps the name; it comes back with the file.
    std::filesystem::remove(texture / "fire.png.png");
    reloadMaterials(list, texture, &root);
    EXPECT_EQ(node.trailImageIndex, 0);
    EXPECT_EQ(node.trailImageName, "fire.png");
    EXPECT_EQ(node.imageIndex, 1);
    writePicture(texture / "fire.png.png", 4, 4);
    reloadMaterials(list, texture, &root);
    EXPECT_EQ(node.trailImageIndex, 1);
}

TEST(MaterialList, ClearingTheFolderEmptiesOrCreatesIt) {
    QTemporaryDir dir;
    const auto texture = pathOf(dir) / "TEXTURE";
    MaterialList list;
    EXPECT_TRUE(clearTextureFolder(list, texture));
    EXPECT_TRUE(std::filesystem::is_directory(texture));
    writePicture(texture / "a.png.png", 4, 4);
    writeFile(texture / "save.png", "1,");
    list.reload(texture);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(clearTextureFolder(list, texture));
    EXPECT_EQ(list.size(), 0u);
    EXPECT_TRUE(filesIn(texture).empty());
}

}  // namespace
}  // namespace sp
