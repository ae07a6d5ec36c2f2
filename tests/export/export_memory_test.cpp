#include "export/export_memory.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace sp {
namespace {

TEST(ExportMemory, TheSheetOptionsAndQualityComeBackAndBadValuesGiveTheDefaults) {
    QTemporaryDir temp;
    const std::filesystem::path file = (temp.path() + "/setup.ini").toStdString();
    {
        SetupIni setup(file);
        ExportSettings fresh;
        recallExportOptions(setup, fresh);
        EXPECT_EQ(fresh.sheet, exchange::SheetOptions{});
        EXPECT_EQ(fresh.exportQuality, exchange::kLosslessQuality);

        ExportSettings s;
        s.sheet = {exchange::Trim::Each,
                   3,
                   2,
                   true,
                   2048,
                   exchange::AtlasLayout::Array,
                   exchange::AlphaMode::Premultiplied};
        s.exportQuality = 70;
        rememberExportOptions(setup, s);
    }
    SetupIni setup(file);
    ExportSettings back;
    recallExportOptions(setup, back);
    EXPECT_EQ(back.sheet, (exchange::SheetOptions{exchange::Trim::Each, 3, 2, true, 2048,
                                                  exchange::AtlasLayout::Array,
                                                  exchange::AlphaMode::Premultiplied}));
    EXPECT_EQ(back.exportQuality, 70);

    // An edited file: each value out of range falls back on its own.
    setup.writeString("Export", "Trim", "most");
    setup.writeInt("Export", "Padding", 99);
    setup.writeInt("Export", "MaxSize", 0);
    setup.writeInt("Export", "Quality", 101);
    recallExportOptions(setup, back);
    EXPECT_EQ(back.sheet.trim, exchange::Trim::None);
    EXPECT_EQ(back.sheet.padding, 0);
    EXPECT_EQ(back.sheet.extrude, 2);
    EXPECT_EQ(back.sheet.maxSize, exchange::kDefaultMaxSheetSize);
    EXPECT_EQ(back.exportQuality, exchange::kLosslessQuality);
}

TEST(ExportMemory, TheSettingsCheckRefusesWhatNoSheetOrPictureCanBeMadeOf) {
    exchange::SheetOptions o;
    EXPECT_EQ(checkSheetOptions(o, 2048, 2048), "");
    o.extrude = -1;
    EXPECT_NE(checkSheetOptions(o, 64, 64), "");
    o.extrude = 64;
    EXPECT_EQ(checkSheetOptions(o, 64, 64), "");
    o.maxSize = 191;  // 64 + 2 × 64 = 192
    EXPECT_NE(checkSheetOptions(o, 64, 64), "");
    ExportSettings s;
    s.exportLayout = kLayoutApng;
    s.exportFileType = kFileBmp;
    EXPECT_NE(checkExportSettings(s, 30), "");
    s.exportFileType = kFilePng;
    EXPECT_EQ(checkExportSettings(s, 30), "");
    s.exportQuality = -2;
    EXPECT_NE(checkExportSettings(s, 30), "");
    EXPECT_EQ(resultFilter(kLayoutWebp, kFilePng).extension, "webp");
    EXPECT_EQ(resultFilter(kLayoutApng, kFilePng).description, "APNG(*.png)");
}

}  // namespace
}  // namespace sp
