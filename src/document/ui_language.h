#pragma once

#include <QCoreApplication>
#include <QString>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QLocale;
class QTranslator;

namespace sp {

class SetupIni;

// The program's texts are written in Japanese, and those are the texts shown
// unless English is chosen. Every text that the program shows is looked up in
// this one context of the English catalogue.
inline constexpr const char* kTextContext = "Sparkplume";

enum class UiLanguage { Japanese, English };

// setup.ini keeps the choice made in the menu as "ja" or "en".
inline constexpr const char* kLanguageSection = "Language";
inline constexpr const char* kLanguageKey = "ui";

std::string languageCode(UiLanguage language);
std::optional<UiLanguage> languageFromCode(std::string_view code);

// The desktop's language: Japanese for a Japanese locale, English for any other
// (the "C" locale included).
UiLanguage languageForLocale(const QLocale& locale);

// The language at start: the one stored in setup.ini, else the desktop's.
UiLanguage startLanguage(const SetupIni& setup, const QLocale& locale);
void storeLanguage(SetupIni& setup, UiLanguage language);

// Holds the translator of the chosen language while it is installed in the
// application. Japanese needs none: the source texts are Japanese.
class UiTranslation {
  public:
    UiTranslation();
    ~UiTranslation();
    UiTranslation(const UiTranslation&) = delete;
    UiTranslation& operator=(const UiTranslation&) = delete;

    // Installs the catalogue of `language` (Qt then tells every widget that the
    // language changed). False when the English catalogue cannot be loaded; the
    // texts then stay Japanese.
    bool apply(UiLanguage language);
    UiLanguage language() const { return m_language; }

  private:
    void applyQtTexts(UiLanguage language);

    std::unique_ptr<QTranslator> m_translator;
    std::unique_ptr<QTranslator> m_qtTranslator;
    UiLanguage m_language = UiLanguage::Japanese;
    bool m_applied = false;
};

// A text of the program in the chosen language.
inline QString trText(const char* source) {
    return QCoreApplication::translate(kTextContext, source);
}
QString trText(std::string_view source);

// A message as the services write it, in the chosen language: a fixed text, or
// one of the messages with a name or a number put into it ("「%s」に保存でき
// ませんでした。"), whose other words are translated and the name kept. A layer
// above may name patterns of its own.
QString trMessage(std::string_view message, std::initializer_list<const char*> morePatterns = {});

}  // namespace sp
