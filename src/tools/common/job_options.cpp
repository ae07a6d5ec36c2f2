#include "tools/common/job_options.h"

#include <string>

#include "exchange/render_exchange.h"

namespace sp::tools {
namespace {

QString key(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

Failure badValue(std::string_view section, std::string_view name, const QString& value) {
    return Failure(QStringLiteral("render.ini の [%1] %2 の値「%3」が正しくありません。")
                       .arg(key(section), key(name), value));
}

class Section {
  public:
    Section(const IniReader& ini, std::string_view name) : m_ini(ini), m_name(name) {}

    std::optional<QString> text(std::string_view name) const {
        return m_ini.value(key(m_name), key(name));
    }

    int number(std::string_view name, int fallback, int min, int max) const {
        const std::optional<QString> value = text(name);
        if (!value) return fallback;
        bool ok = false;
        const qlonglong n = value->toLongLong(&ok, 10);
        if (!ok || n < min || n > max) throw badValue(m_name, name, *value);
        return static_cast<int>(n);
    }

    template <typename T, typename Parse>
    T choice(std::string_view name, T fallback, Parse parse) const {
        const std::optional<QString> value = text(name);
        if (!value) return fallback;
        const std::optional<T> parsed = parse(value->toLower().toStdString());
        if (!parsed) throw badValue(m_name, name, *value);
        return *parsed;
    }

    bool present(std::initializer_list<std::string_view> keys) const {
        for (std::string_view k : keys)
            if (text(k)) return true;
        return false;
    }

  private:
    const IniReader& m_ini;
    std::string_view m_name;
};

}  // namespace

void readJobOptions(const IniReader& ini, RenderJob& job) {
    using namespace exchange;
    const Section sheet(ini, kSheetSection);
    if (sheet.present({kTrimKey, kPaddingKey, kExtrudeKey, kPowerOfTwoKey, kMaxSizeKey, kJsonKey,
                       kAlphaKey})) {
        SheetOptions o;
        o.trim = sheet.choice(kTrimKey, o.trim, trimFromName);
        o.padding = sheet.number(kPaddingKey, o.padding, 0, kMaxPadding);
        o.extrude = sheet.number(kExtrudeKey, o.extrude, 0, kMaxPadding);
        o.powerOfTwo = sheet.number(kPowerOfTwoKey, 0, 0, 1) == 1;
        o.maxSize = sheet.number(kMaxSizeKey, o.maxSize, 1, static_cast<int>(kMaxSheetSide));
        o.json = sheet.choice(kJsonKey, o.json, atlasLayoutFromName);
        o.alpha = sheet.choice(kAlphaKey, o.alpha, alphaModeFromName);
        job.sheet = o;
    }
    const Section animation(ini, kAnimationSection);
    if (animation.present({kAnimationFormatKey, kQualityKey})) {
        job.animation =
            animation.choice(kAnimationFormatKey, AnimationFormat::Gif, animationFormatFromName);
        job.quality = animation.number(kQualityKey, kLosslessQuality, kLosslessQuality, 100);
    }
}

}  // namespace sp::tools
