#include "app/editor_main.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QPalette>

#include "app/frame_loop.h"
#include "app/main_window.h"
#include "app/widget_prompts.h"
#include "app/workspace_lock.h"
#include "document/app_context.h"
#include "document/ui_language.h"
#include "project/workspace.h"

namespace sp {
namespace {

// One dark look for the whole editor, so that menus, dialogs and scroll bars sit
// with the panels and the preview instead of glaring beside them.
void useDarkLook(QApplication& app) {
    app.setStyle(QStringLiteral("Fusion"));
    QPalette p;
    const QColor window(52, 54, 58), base(40, 41, 44), text(232, 232, 232), accent(214, 124, 42);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, QColor(30, 30, 32));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(64, 66, 71));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, accent.lighter(130));
    p.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    app.setPalette(p);
}

}  // namespace

int runEditor(int argc, char** argv, const std::string& file, std::optional<UiLanguage> language) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sparkplume"));
    useDarkLook(app);

    // The work folder: the user's own, or a private one while another editor holds it.
    const WorkspaceClaim claim(Workspace::defaultLocation());
    WidgetPrompts prompts;
    AppContext::Options options;
    options.workspace = claim.workspace();
    options.programDir = QCoreApplication::applicationDirPath().toStdString();
    options.setupFile = claim.setupFile();
    AppContext context(prompts, options);
    context.document().enableGraphics();

    // The language: the menu's last choice, else the desktop's.
    UiTranslation translation;
    translation.apply(language.value_or(startLanguage(context.setup(), QLocale::system())));

    MainWindow window(context, prompts);
    window.setLanguage(translation.language());
    prompts.setOwner(&window);
    if (claim.isPrivate())
        window.setTitleNote(trText(QT_TRANSLATE_NOOP(
            "Sparkplume", "　［別のエディタが作業中のため一時フォルダで作業しています］")));

    // Start-up: the work folder is prepared and a new project made, then the file
    // named on the command line is opened after it.
    context.start();
    window.showWithSavedPlacement();
    window.layoutPanels();
    if (!file.empty()) context.files().openFromCommandLine(file);
    window.frameLoop().reportTiming(qEnvironmentVariableIsSet("SPARKPLUME_TIMING"));
    window.frameLoop().start();
    return app.exec();
}

}  // namespace sp
