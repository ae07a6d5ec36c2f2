#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "document/ui_language.h"
#include "export/export_run.h"
#include "export/export_settings.h"
#include "project/file_commands.h"
#include "prompts/prompts.h"

namespace sp {
namespace {

// The messages the services build around names or numbers, as patterns with
// one "%s", or with "%1", "%2" … for several values.
constexpr std::array<const char*, 16> kPatterns = {
    kFileReadErrorText,      kSaveFailedText,
    kMaterialUnreadableText, kFrameNotWrittenText,
    kCopyNotWrittenText,     kToolNotStartedText,
    kToolFailedText,         kPictureLeftOutText,
    kFrameRangeText,         kMovieFpsText,
    kTooManyFramesText,      kPaddingRangeText,
    kExtrudeRangeText,       kMaxSizeRangeText,
    kFrameBeyondSheetText,   QT_TRANSLATE_NOOP("Sparkplume", "（%s個のファイル）"),
};

// A pattern read as the words between its places for values: "%s" or "%1" …
struct PatternPiece {
    std::string_view words;  // before the place
    int value = -1;          // the place's number from 0; -1 after the last place
};

std::vector<PatternPiece> piecesOf(std::string_view pattern) {
    std::vector<PatternPiece> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] != '%') continue;
        const char c = pattern[i + 1];
        if (c != 's' && (c < '1' || c > '9')) continue;
        pieces.push_back({pattern.substr(start, i - start), c == 's' ? 0 : c - '1'});
        start = i + 2;
        ++i;
    }
    pieces.push_back({pattern.substr(start), -1});
    return pieces;
}

// The message read as `pattern` with values put in: the translated pattern with
// the same values, and whatever followed the pattern's end translated where the
// catalogue knows it, else kept as it was. Each value runs up to the first
// occurrence of the words after it.
std::optional<QString> fromPattern(std::string_view message, std::string_view pattern) {
    const std::vector<PatternPiece> pieces = piecesOf(pattern);
    if (pieces.size() < 2 || !message.starts_with(pieces.front().words)) return std::nullopt;
    std::vector<std::string_view> values(10);
    std::size_t at = pieces.front().words.size();
    for (std::size_t k = 0; k + 1 < pieces.size(); ++k) {
        const std::string_view after = pieces[k + 1].words;
        if (after.empty() && k + 2 < pieces.size()) return std::nullopt;  // "%1%2": no border
        const auto end = after.empty() ? message.size() : message.find(after, at);
        if (end == std::string_view::npos) return std::nullopt;
        values[static_cast<std::size_t>(pieces[k].value)] = message.substr(at, end - at);
        at = end + after.size();
    }
    const std::string_view rest = message.substr(at);
    const QString translated = trText(pattern);
    QString text;
    for (qsizetype i = 0; i < translated.size(); ++i) {
        const QChar c = i + 1 < translated.size() ? translated[i + 1] : QChar();
        if (translated[i] == u'%' && (c == u's' || (c >= u'1' && c <= u'9'))) {
            const std::string_view value = values[c == u's' ? 0 : c.unicode() - u'1'];
            text += QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
            ++i;
        } else {
            text += translated[i];
        }
    }
    return text + (rest.empty() ? QString() : trText(rest));
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
