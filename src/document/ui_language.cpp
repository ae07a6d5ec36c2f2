#include "document/ui_language.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "project/setup_ini.h"

namespace sp {

std::string languageCode(UiLanguage language) {
    return language == UiLanguage::English ? "en" : "ja";
}

std::optional<UiLanguage> languageFromCode(std::string_view code) {
    if (code == "ja") return UiLanguage::Japanese;
    if (code == "en") return UiLanguage::English;
    return std::nullopt;
}

UiLanguage languageForLocale(const QLocale& locale) {
    return locale.language() == QLocale::Japanese ? UiLanguage::Japanese : UiLanguage::English;
}

UiLanguage startLanguage(const SetupIni& setup, const QLocale& locale) {
    if (auto stored = languageFromCode(setup.readString(kLanguageSection, kLanguageKey)))
        return *stored;
    return languageForLocale(locale);
}

void storeLanguage(SetupIni& setup, UiLanguage language) {
    setup.writeString(kLanguageSection, kLanguageKey, languageCode(language));
}

UiTranslation::UiTranslation() = default;

UiTranslation::~UiTranslation() {
    if (m_translator) QCoreApplication::removeTranslator(m_translator.get());
    if (m_qtTranslator) QCoreApplication::removeTranslator(m_qtTranslator.get());
}

bool UiTranslation::apply(UiLanguage language) {
    if (m_applied && language == m_language) return true;
    std::unique_ptr<QTranslator> next;
    if (language == UiLanguage::English) {
        next = std::make_unique<QTranslator>();
        if (!next->load(QStringLiteral(":/i18n/sparkplume_en.qm"))) return false;
    }
    if (m_translator) QCoreApplication::removeTranslator(m_translator.get());
    m_translator = std::move(next);
    if (m_translator) QCoreApplication::installTranslator(m_translator.get());
    applyQtTexts(language);
    m_language = language;
    m_applied = true;
    return true;
}

// Qt's own texts (the file dialog's columns, the standard buttons) are English
// at source; in Japanese they come from Qt's catalogue when it is installed.
void UiTranslation::applyQtTexts(UiLanguage language) {
    if (m_qtTranslator) QCoreApplication::removeTranslator(m_qtTranslator.get());
    m_qtTranslator.reset();
    if (language != UiLanguage::Japanese) return;
    auto qt = std::make_unique<QTranslator>();
    if (!qt->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;  // without the catalogue they stay English
    m_qtTranslator = std::move(qt);
    QCoreApplication::installTranslator(m_qtTranslator.get());
}

QString trText(std::string_view source) {
    const std::string text(source);
    return QCoreApplication::translate(kTextContext, text.c_str());
}

}  // namespace sp
