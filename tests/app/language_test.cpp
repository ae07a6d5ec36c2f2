// The English interface: the catalogue is complete, the language is chosen as
// the desktop and the menu say, every visible text changes, and the English
// texts fit where the space is fixed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <set>
#include <string>
#include <vector>

#include "app/dialogs/about_box.h"
#include "app/dialogs/animation_dialog.h"
#include "app/dialogs/background_image_dialog.h"
#include "app/dialogs/emission_dialog.h"
#include "app/dialogs/export_options_dialog.h"
#include "app/dialogs/export_rules.h"
#include "app/dialogs/sheet_layout_dialog.h"
#include "app/dialogs/size_dialog.h"
#include "app/main_window.h"
#include "document/app_context.h"
#include "document/playback.h"
#include "document/ui_language.h"
#include "editors/page_layout.h"
#include "export/export_run.h"
#include "export/export_settings.h"
#include "export/sheet_layout.h"
#include "project/file_commands.h"
#include "resources/look.h"

namespace sp {
namespace {

struct Message {
    QString source;
    QString translation;
    bool unfinished = false;
};

std::vector<Message> readCatalogue(const QString& file) {
    QFile ts(file);
    EXPECT_TRUE(ts.open(QIODevice::ReadOnly)) << file.toStdString();
    std::vector<Message> messages;
    QXmlStreamReader xml(&ts);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == u"message") messages.emplace_back();
        if (xml.name() == u"source") messages.back().source = xml.readElementText();
        if (xml.name() == u"translation") {
            messages.back().unfinished =
                xml.attributes().value(QStringLiteral("type")) == QStringLiteral("unfinished");
            messages.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

bool hasJapanese(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x3000) return true;
    return false;
}

TEST(Catalogue, EverySourceTextHasAnEnglishTranslation) {
    const auto messages = readCatalogue(QStringLiteral(SPARKPLUME_TS_FILE));
    ASSERT_GT(messages.size(), 200u);
    for (const Message& m : messages) {
        EXPECT_FALSE(m.unfinished || m.translation.isEmpty())
            << "no English for \"" << m.source.toStdString()
            << "\": run scripts/update-translations.sh and translate it in translations/";
        EXPECT_FALSE(hasJapanese(m.translation)) << m.translation.toStdString();
        // Names and numbers put into a text must survive its translation.
        for (const char* mark : {"%s", "%1", "%2", "%3"})
            EXPECT_EQ(m.source.count(QLatin1String(mark)), m.translation.count(QLatin1String(mark)))
                << m.source.toStdString();
    }
}

// lupdate over today's sources finds no text that the catalogue lacks: a text
// marked in the code but never added to the .ts file is named here.
TEST(Catalogue, HoldsEveryTextMarkedInTheSources) {
    QTemporaryDir temp;
    const QString fresh = temp.filePath(QStringLiteral("fresh.ts"));
    QProcess lupdate;
    lupdate.start(QStringLiteral(SPARKPLUME_LUPDATE),
                  {QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral(SPARKPLUME_SOURCE_DIR "/src"), QStringLiteral("-ts"), fresh});
    ASSERT_TRUE(lupdate.waitForFinished(-1));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    std::set<QString> known;
    for (const Message& m : readCatalogue(QStringLiteral(SPARKPLUME_TS_FILE)))
        known.insert(m.source);
    const auto marked = readCatalogue(fresh);
    ASSERT_GT(marked.size(), 200u);
    for (const Message& m : marked)
        EXPECT_TRUE(known.count(m.source))
            << "\"" << m.source.toStdString()
            << "\" is not in the catalogue: run scripts/update-translations.sh and translate it";
}

TEST(LanguageChoice, FollowsTheLocaleUnlessTheMenuChoseOne) {
    EXPECT_EQ(languageForLocale(QLocale(QStringLiteral("ja_JP"))), UiLanguage::Japanese);
    EXPECT_EQ(languageForLocale(QLocale::c()), UiLanguage::English);
    EXPECT_EQ(languageForLocale(QLocale(QStringLiteral("en_GB"))), UiLanguage::English);
    EXPECT_EQ(languageForLocale(QLocale(QStringLiteral("de_DE"))), UiLanguage::English);

    QTemporaryDir temp;
    SetupIni setup(temp.filePath(QStringLiteral("setup.ini")).toStdString());
    EXPECT_EQ(startLanguage(setup, QLocale(QStringLiteral("ja_JP"))), UiLanguage::Japanese);
    storeLanguage(setup, UiLanguage::English);
    EXPECT_EQ(setup.readString("Language", "ui"), "en");
    EXPECT_EQ(startLanguage(setup, QLocale(QStringLiteral("ja_JP"))), UiLanguage::English);
    setup.writeString("Language", "ui", "klingon");  // an unknown value: the locale decides
    EXPECT_EQ(startLanguage(setup, QLocale(QStringLiteral("ja_JP"))), UiLanguage::Japanese);
}

TEST(LanguageChoice, QtsOwnTextsFollowTheJapaneseAndEnglishChoice) {
    // The standard buttons and the file dialog come from Qt's catalogue in Japanese.
    UiTranslation translation;
    ASSERT_TRUE(translation.apply(UiLanguage::Japanese));
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    ASSERT_TRUE(translation.apply(UiLanguage::English));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

TEST(LanguageChoice, MessagesWithANameKeepTheNameAndWhatFollows) {
    const std::string saveFailed = formatMessage(kSaveFailedText, "/tmp/「x」.spd");
    const std::string toolFailed =
        formatMessage(kToolFailedText, "tilesheet") + "\n\nout of memory";
    // Japanese: the services' texts, byte for byte.
    EXPECT_EQ(trMessage(saveFailed).toStdString(), saveFailed);
    UiTranslation english;
    ASSERT_TRUE(english.apply(UiLanguage::English));
    EXPECT_EQ(trMessage(saveFailed), QStringLiteral("Could not save to \"/tmp/「x」.spd\"."));
    EXPECT_EQ(trMessage(toolFailed),
              QStringLiteral("The export program \"tilesheet\" failed.\n\nout of memory"));
    EXPECT_EQ(trMessage(kErrorCaption), QStringLiteral("Error"));
    EXPECT_EQ(trMessage("1から"), QStringLiteral("1から"));  // no pattern: as it came
    ASSERT_TRUE(english.apply(UiLanguage::Japanese));
    EXPECT_EQ(trMessage(kErrorCaption).toStdString(), kErrorCaption);
}

// The messages put together from several numbers are whole sentences in the
// catalogue: Japanese as ever, English with the numbers where its words need them.
TEST(LanguageChoice, MessagesWithSeveralNumbersAreTranslatedWhole) {
    exchange::SheetOptions tooSmall;
    tooSmall.maxSize = 16;
    exchange::SheetOptions padded;
    padded.padding = 65;
    const std::string beyond = checkSheetOptions(tooSmall, 256, 128);
    const std::string padding = checkSheetOptions(padded, 256, 128);
    EXPECT_EQ(beyond, "最大サイズ16にはフレーム（256×128、余白と縁を含む）が収まりません。");
    EXPECT_EQ(padding, "余白は0から64の範囲で指定してください。");

    ProjectState state;
    state.currentFrame = 8;
    state.frameCount = 30;
    state.measuredFps = 58;
    state.zoom = 0.25f;
    const std::string caption = formatPreviewCaption(state, true);
    EXPECT_EQ(
        caption,
        "008／030フレーム  FPS：58　25％　（上限に達したため一部のパーティクルを省略しています）");

    UiTranslation english;
    ASSERT_TRUE(english.apply(UiLanguage::English));
    EXPECT_EQ(trMessage(beyond),
              QStringLiteral("A frame (256×128 with padding and extrude) does not fit the maximum "
                             "size 16."));
    EXPECT_EQ(trMessage(padding), QStringLiteral("Padding must be from 0 to 64."));
    EXPECT_EQ(trMessage(caption, {kPreviewCaptionText}),
              QStringLiteral("008/030 frames  FPS: 58  25%  (limit reached)"));
    // The sheet dialog's captions: cells counted, pixels as they are.
    EXPECT_EQ(trMessage("1マス", {kCellCountText}), QStringLiteral("1 cell"));
    EXPECT_EQ(trMessage("12マス", {kCellCountText}), QStringLiteral("12 cells"));
    EXPECT_EQ(trMessage("512pixel", {kCellCountText}), QStringLiteral("512pixel"));
    // The export's report is put together from texts and names: each text in English.
    const ExportResult done{
        ExportOutcome::Completed, {"/data/out/fx0000.png", "/data/out/fx0001.png"}, {}};
    EXPECT_EQ(trMessage(exportReport(done, false).text),
              QStringLiteral("The export is finished.\n\nSaved in: /data/out (2 files)\n\n"
                             "fx0000.png\nfx0001.png"));
    EXPECT_EQ(trMessage(exportReport({ExportOutcome::Aborted, {}, {}}, false).text),
              QStringLiteral("The export was stopped. No file was made."));
    ASSERT_TRUE(english.apply(UiLanguage::Japanese));
    EXPECT_EQ(trMessage(beyond).toStdString(), beyond);
    EXPECT_EQ(exportReport({ExportOutcome::Aborted, {}, {}}, false).text,
              "書き出しを中断しました。ファイルは作られていません。");
}

// The help command opens docs/manual.en.html in English: it is there, and every
// picture it shows (its own English ones in docs/en/) is there beside it.
TEST(Manual, BothLanguagesShowOnlyPicturesThatExist) {
    const QDir docs(QStringLiteral(SPARKPLUME_SOURCE_DIR "/docs"));
    for (const QString& name : {QStringLiteral("manual.html"), QStringLiteral("manual.en.html")}) {
        QFile file(docs.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString html = QString::fromUtf8(file.readAll());
        const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
        int pictures = 0;
        for (auto it = image.globalMatch(html); it.hasNext(); ++pictures) {
            const QString picture = it.next().captured(1);
            EXPECT_TRUE(QFileInfo(docs.filePath(picture)).isFile())
                << name.toStdString() << ": " << picture.toStdString();
            if (name == QStringLiteral("manual.en.html") &&
                picture != QStringLiteral("sheet-example.png")) {
                EXPECT_TRUE(picture.startsWith(QStringLiteral("en/"))) << picture.toStdString();
            }
        }
        EXPECT_GE(pictures, 4) << name.toStdString();
    }
}

// Every text a window shows: labels, buttons, group titles, tips, help texts,
// menus and actions. Node names are the project's data, not the program's.
std::vector<QString> visibleTexts(QWidget& root) {
    std::vector<QString> texts;
    auto add = [&](const QString& t) {
        if (!t.isEmpty()) texts.push_back(t);
    };
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.prepend(&root);
    for (QWidget* w : widgets) {
        add(w->toolTip());
        add(w->property("sparkplumeHelpText").toString());
        if (auto* label = qobject_cast<QLabel*>(w)) add(label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) add(button->text());
        if (auto* group = qobject_cast<QGroupBox*>(w)) add(group->title());
        if (w->isWindow() && w != &root) continue;
    }
    for (QAction* a : root.findChildren<QAction*>()) {
        add(a->text());
        add(a->toolTip());
    }
    return texts;
}

class EnglishWindowTest : public ::testing::Test {
  protected:
    EnglishWindowTest() : context(prompts, {temp.path().toStdString(), {}, false, {}}) {
        context.start();
    }
    ~EnglishWindowTest() override { translation.apply(UiLanguage::Japanese); }

    struct SilentPrompts : Prompts {
        void showMessage(std::string_view, std::string_view) override {}
    } prompts;
    QTemporaryDir temp;
    AppContext context;
    UiTranslation translation;
};

TEST_F(EnglishWindowTest, EveryVisibleTextOfTheWindowAndItsPagesChanges) {
    std::vector<QString> japanese;
    {
        MainWindow window(context, prompts);
        japanese = visibleTexts(window);
    }
    ASSERT_TRUE(translation.apply(UiLanguage::English));
    MainWindow window(context, prompts);
    window.setLanguage(UiLanguage::English);
    const std::vector<QString> english = visibleTexts(window);
    EXPECT_EQ(english.size(), japanese.size());
    int japaneseTexts = 0;
    for (const QString& t : japanese) japaneseTexts += hasJapanese(t) ? 1 : 0;
    EXPECT_GT(japaneseTexts, 30);
    for (const QString& t : english) {
        // The language menu names both languages in their own words.
        if (t == QStringLiteral("日本語") || t.contains(QStringLiteral("Language"))) continue;
        EXPECT_FALSE(hasJapanese(t)) << t.toStdString();
    }
    // The menus, as the menu bar shows them.
    QStringList titles;
    for (QAction* a : window.menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles.join(u'|'), QStringLiteral("&File|&Edit|&Help|表示言語 / Language"));

    // Every page's painted texts and help texts, switched through the tabs.
    for (const pages::PagePlan& page : pages::parameterPages()) {
        EXPECT_FALSE(hasJapanese(trText(page.tab))) << page.tab;
        for (const pages::SectionPlan& section : page.sections) {
            EXPECT_FALSE(hasJapanese(trText(section.title))) << section.title;
            for (const pages::ControlPlan& c : section.controls)
                for (std::string_view text : {c.text, c.after, c.help})
                    EXPECT_FALSE(hasJapanese(trText(text))) << text;
        }
    }
}

TEST_F(EnglishWindowTest, TheMenuStoresTheChoiceForTheNextStart) {
    MainWindow window(context, prompts);
    window.chooseLanguage(UiLanguage::English);
    EXPECT_EQ(context.setup().readString("Language", "ui"), "en");
    window.chooseLanguage(UiLanguage::Japanese);
    EXPECT_EQ(context.setup().readString("Language", "ui"), "ja");
}

TEST_F(EnglishWindowTest, EveryDialogIsInEnglish) {
    ASSERT_TRUE(translation.apply(UiLanguage::English));
    Document& doc = context.document();
    std::vector<std::unique_ptr<QDialog>> dialogs;
    dialogs.emplace_back(new AboutBox());
    dialogs.emplace_back(new AnimationDialog(doc));
    dialogs.emplace_back(new EmissionDialog(doc));
    dialogs.emplace_back(new SizeDialog(doc));
    dialogs.emplace_back(new BackgroundImageDialog(doc, prompts));
    dialogs.emplace_back(new ExportOptionsDialog(30));
    dialogs.emplace_back(new SheetLayoutDialog(30, 64, 64, 1));
    for (auto& dialog : dialogs) {
        EXPECT_FALSE(hasJapanese(dialog->windowTitle())) << dialog->windowTitle().toStdString();
        for (const QString& t : visibleTexts(*dialog))
            EXPECT_FALSE(hasJapanese(t)) << t.toStdString();
        // Laid out at its own size, no label or button is narrower than its text.
        dialog->adjustSize();
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            auto* label = qobject_cast<QLabel*>(w);
            if (!label || !label->isVisibleTo(dialog.get())) continue;
            const QString text = label->text();
            if (text.isEmpty() || text.contains(u'\n') || label->wordWrap() ||
                text.startsWith(u'<'))
                continue;
            EXPECT_LE(QFontMetrics(w->font()).horizontalAdvance(text), w->width() + 1)
                << text.toStdString();
        }
    }
}

// Where the pages give a control a fixed width, its English caption fits; the
// texts drawn after the fields end inside their section; the titles fit their strips.
TEST_F(EnglishWindowTest, NoEnglishTextOfThePagesIsWiderThanItsPlace) {
    ASSERT_TRUE(translation.apply(UiLanguage::English));
    const QFontMetrics control(panelFont(QStringLiteral("Tahoma"), 13, false));
    const QFontMetrics label(panelFont(QStringLiteral("Verdana"), 15, true));
    const QFontMetrics title(panelFont(QStringLiteral("Tahoma"), 14, true));
    const QFontMetrics tab(panelFont(QStringLiteral("ＭＳ ゴシック"), 18, true));
    QWidget probe;
    const int indicator = probe.style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                          probe.style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 4;
    for (const pages::PagePlan& page : pages::parameterPages()) {
        EXPECT_LE(tab.horizontalAdvance(trText(page.tab).trimmed()), pages::kTabHeight - 8)
            << page.tab;
        for (const pages::SectionPlan& section : page.sections) {
            EXPECT_LE(title.horizontalAdvance(trText(section.title)), pages::kSectionWidth)
                << section.title;
            const int sectionRight = section.x + pages::kSectionWidth;
            for (const pages::ControlPlan& c : section.controls) {
                if (c.kind == pages::ControlKind::Check || c.kind == pages::ControlKind::Radio) {
                    EXPECT_LE(indicator + control.horizontalAdvance(trText(c.text)), c.width)
                        << c.text;
                }
                if (c.kind == pages::ControlKind::Number && !c.after.empty()) {
                    EXPECT_LE(section.x + c.dx + pages::numberFieldWidth(c) +
                                  label.horizontalAdvance(trText(c.after)),
                              sectionRight)
                        << c.after;
                }
            }
        }
    }
}

}  // namespace
}  // namespace sp
