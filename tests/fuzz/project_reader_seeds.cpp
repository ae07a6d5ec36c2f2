// Writes a few valid project files into a folder, as a starting corpus for
// project_reader_fuzz:  project_reader_seeds DIR

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "project/format/container.h"
#include "project/format/effect_data.h"

namespace {

using namespace sp;
using namespace sp::format;

EmitterNode& addChild(EmitterNode& parent, const std::string& name) {
    parent.children.push_back(std::make_unique<EmitterNode>(30));
    parent.children.back()->parent = &parent;
    parent.children.back()->name = name;
    return *parent.children.back();
}

std::string treeData() {
    EmitterNode root(45);
    EmitterNode& fire = addChild(root, "炎");
    fire.imageName = "火花";
    fire.imageIndex = 1;
    fire.trailImageName = "煙";
    fire.trailImageIndex = 2;
    fire.trailLength = 8;
    fire.hidden = 1;
    fire.curves[kCurveSpeed].points = {{0, 25.5f}, {40, 100}, {100, 0}};
    EmitterNode& sparks = addChild(fire, "火の粉");
    sparks.curves[kCurveAlpha].points = {{0, 0}, {12.5f, 90}, {100, 0}};
    addChild(sparks, "ノード3");
    addChild(root, "glow");
    return writeEffectData(ProjectHeader{640, 360, 45, 320, 180, 24, 16, 32, 48, 777}, root)
        .value();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 1;
    }
    EmitterNode single(30);
    addChild(single, "ノード1");
    const std::string oneNode = writeEffectData(ProjectHeader{}, single).value();
    const std::string tree = treeData();
    const std::string picture("\x89PNG\r\n\x1a\n,\n\0IEND", 15);

    std::vector<std::pair<std::string, std::string>> seeds = {
        {"new_project.spd", packContainer({{"save.png", oneNode}}).value()},
        {"materials.spd",
         packContainer({{"火花.png", picture}, {"煙.png", picture}, {"save.png", tree}}).value()},
        {"tree_effect_data", tree},
    };
    // The same file under each older version number.
    for (char version : {'0', '1', '2', '3'}) {
        std::string file = packContainer({{"save.png", tree}}).value();
        file[file.find(',') + 1] = version;
        seeds.emplace_back(std::string("version_") + version + ".spd", file);
    }
    for (const auto& [name, bytes] : seeds) {
        std::ofstream out(std::string(argv[1]) + "/" + name, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s/%s\n", argv[1], name.c_str());
            return 1;
        }
    }
    return 0;
}
