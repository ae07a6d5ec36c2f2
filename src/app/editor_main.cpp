#include "app/editor_main.h"

#include <QApplication>
#include <QFont>

#include "app/frame_loop.h"
#include "app/main_window.h"
#include "app/widget_prompts.h"
#include "app/workspace_lock.h"
#include "document/app_context.h"
#include "project/workspace.h"

namespace sp {

int runEditor(int argc, char** argv, const std::string& file) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sparkplume"));
    QApplication::setApplicationDisplayName(QStringLiteral("Sparkplume"));

    // The work folder: the user's own, or a private one while another editor holds it.
    const WorkspaceClaim claim(Workspace::defaultLocation());
    WidgetPrompts prompts;
    AppContext::Options options;
    options.workspace = claim.workspace();
    options.programDir = QCoreApplication::applicationDirPath().toStdString();
    options.setupFile = claim.setupFile();
    AppContext context(prompts, options);
    context.document().enableGraphics();

    MainWindow window(context, prompts);
    prompts.setOwner(&window);
    if (claim.isPrivate())
        window.setTitleNote(
            QStringLiteral("　［別のエディタが作業中のため一時フォルダで作業しています］"));

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
