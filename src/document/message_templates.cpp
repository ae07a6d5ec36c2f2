#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "document/document.h"
#include "document/ui_language.h"
#include "export/export_run.h"
#include "project/file_commands.h"
#include "prompts/prompts.h"

namespace sp {
namespace {

// The messages the services build around a name or a number, as patterns with
// one "%s". The services' own constants, and the few messages they put together
// in place, written here as the same text.
constexpr std::array<const char*, 12> kPatterns = {
    kFileReadErrorText,
    kSaveFailedText,
    kMaterialUnreadableText,
    kFrameNotWrittenText,
    kCopyNotWrittenText,
    kToolNotStartedText,
    kToolFailedText,
    kPictureLeftOutText,
    QT_TRANSLATE_NOOP("Sparkplume", "書き出すフレームは1から%sの範囲で指定してください。"),
    QT_TRANSLATE_NOOP("Sparkplume",
                      "動画は%s FPSまでしか書き出せません。アニメーションの設定でFPSを下げてくだ"
                      "さい。"),
    QT_TRANSLATE_NOOP("Sparkplume", "一度に書き出せるフレームは%s枚までです。"),
    QT_TRANSLATE_NOOP("Sparkplume", "（%s個のファイル）"),
};

// The message read as `pattern` with the name put in: the translated pattern
// with the same name, and whatever followed the pattern's end kept as it was.
std::optional<QString> fromPattern(std::string_view message, std::string_view pattern) {
    const auto at = pattern.find("%s");
    if (at == std::string_view::npos) return std::nullopt;
    const std::string_view prefix = pattern.substr(0, at);
    const std::string_view suffix = pattern.substr(at + 2);
    if (!message.starts_with(prefix)) return std::nullopt;
    const auto end = suffix.empty() ? message.size() : message.find(suffix, prefix.size());
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view value = message.substr(prefix.size(), end - prefix.size());
    const std::string_view rest = message.substr(end + suffix.size());
    QString text = trText(pattern);
    text.replace(QStringLiteral("%s"),
                 QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    return text + QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size()));
}

// The prompts' captions and the project dialogs' file types are written where
// Qt is not used; they are marked for the catalogue here, as the same texts.
constexpr const char* kPromptTexts[] = {
    QT_TRANSLATE_NOOP("Sparkplume", "エラー"),
    QT_TRANSLATE_NOOP("Sparkplume", "確認"),
    QT_TRANSLATE_NOOP("Sparkplume", "Sparkplumeデータ(*.spd)"),
    QT_TRANSLATE_NOOP("Sparkplume", "すべてのファイル(*.*)"),
};
static_assert(std::string_view(kPromptTexts[0]) == kErrorCaption);
static_assert(std::string_view(kPromptTexts[1]) == kConfirmCaption);

}  // namespace

QString trMessage(std::string_view message, std::initializer_list<const char*> morePatterns) {
    const QString source =
        QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
    const QString exact = trText(message);
    if (exact != source) return exact;
    for (const char* pattern : morePatterns)
        if (auto text = fromPattern(message, pattern)) return *text;
    for (const char* pattern : kPatterns)
        if (auto text = fromPattern(message, pattern)) return *text;
    return source;
}

}  // namespace sp
