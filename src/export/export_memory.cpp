#include "export/export_memory.h"

#include <string>

#include "exchange/render_exchange.h"

namespace sp {
namespace {

constexpr const char* kSection = "Export";

int within(int value, int low, int high, int fallback) {
    return value < low || value > high ? fallback : value;
}

template <typename T, typename Parse>
T choice(const SetupIni& setup, const char* key, T fallback, Parse parse) {
    return parse(setup.readString(kSection, key)).value_or(fallback);
}

}  // namespace

void recallExportOptions(const SetupIni& setup, ExportSettings& s) {
    using namespace exchange;
    const SheetOptions defaults;
    SheetOptions& o = s.sheet;
    o.trim = choice(setup, "Trim", defaults.trim, trimFromName);
    o.padding = within(setup.readInt(kSection, "Padding", 0), 0, kMaxPadding, 0);
    o.extrude = within(setup.readInt(kSection, "Extrude", 0), 0, kMaxPadding, 0);
    o.powerOfTwo = setup.readInt(kSection, "PowerOfTwo", 0) == 1;
    o.maxSize = within(setup.readInt(kSection, "MaxSize", defaults.maxSize), 1,
                       static_cast<int>(kMaxSheetSide), defaults.maxSize);
    o.json = choice(setup, "Json", defaults.json, atlasLayoutFromName);
    o.alpha = choice(setup, "Alpha", defaults.alpha, alphaModeFromName);
    s.exportQuality = within(setup.readInt(kSection, "Quality", kLosslessQuality), kLosslessQuality,
                             100, kLosslessQuality);
}

void rememberExportOptions(SetupIni& setup, const ExportSettings& s) {
    using namespace exchange;
    const SheetOptions& o = s.sheet;
    setup.writeString(kSection, "Trim", std::string(trimName(o.trim)));
    setup.writeInt(kSection, "Padding", o.padding);
    setup.writeInt(kSection, "Extrude", o.extrude);
    setup.writeInt(kSection, "PowerOfTwo", o.powerOfTwo ? 1 : 0);
    setup.writeInt(kSection, "MaxSize", o.maxSize);
    setup.writeString(kSection, "Json", std::string(atlasLayoutName(o.json)));
    setup.writeString(kSection, "Alpha", std::string(alphaModeName(o.alpha)));
    setup.writeInt(kSection, "Quality", s.exportQuality);
}

}  // namespace sp
