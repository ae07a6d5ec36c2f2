#include "app/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QStyle>
#include <QUrl>

#include "app/commands.h"
#include "app/dialogs/settings_dialogs.h"
#include "app/frame_loop.h"
#include "app/main_layout.h"
#include "app/preview_view.h"
#include "app/toolbar_strip.h"
#include "app/transport_bar.h"
#include "app/widget_prompts.h"
#include "document/app_context.h"
#include "document/ui_language.h"
#include "editors/help_bar.h"
#include "editors/page_layout.h"
#include "editors/parameter_panel.h"
#include "panels/material_panel.h"
#include "panels/node_panel.h"
#include "project/window_title.h"
#include "resources/artwork.h"

#ifndef SPARKPLUME_SOURCE_DOCS
#define SPARKPLUME_SOURCE_DOCS ""
#endif

namespace sp {
namespace {

constexpr const char* kManualMissingText =
    QT_TRANSLATE_NOOP("Sparkplume", "マニュアルが見つかりません。");
// Said in both languages: whoever chose the other language may not read this one.
constexpr const char* kLanguageNextStartText =
    "表示言語は次回の起動から切り替わります。\nThe language changes when Sparkplume starts next "
    "time.";

// The client area below the menu: it tells the window when its size changed.
class ClientArea : public QWidget {
  public:
    ClientArea(MainWindow* window) : QWidget(window), m_window(window) {
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(52, 54, 58));
        setPalette(p);
    }

  protected:
    void resizeEvent(QResizeEvent*) override { m_window->layoutPanels(); }

  private:
    MainWindow* m_window;
};

// The parameter panel's sheet is what the layout makes room for.
static_assert(pages::kSheetWidth == layout::kParameterWidth);
static_assert(pages::kSheetHeight == layout::kParameterRange);

// The toolbar commands the help bar explains; the background picture and the
// zoom buttons have no help of their own.
constexpr int kCommandsWithHelp[] = {
    kCommandNew,
    kCommandOpen,
    kCommandSave,
    kCommandAnimation,
    kCommandSize,
    kCommandEmission,
    kCommandBackgroundColour,
    kCommandReseed,
    kCommandHelp,
    kCommandExport,
};

QString manualPath(const std::filesystem::path& programDir, const QString& name) {
    const QString program = QString::fromStdString(programDir.string());
    for (const QString& candidate : {program + QStringLiteral("/docs/") + name,
                                     program + QStringLiteral("/../share/sparkplume/docs/") + name,
                                     QStringLiteral(SPARKPLUME_SOURCE_DOCS "/") + name}) {
        if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).absoluteFilePath();
    }
    return {};
}

}  // namespace

MainWindow::MainWindow(AppContext& context, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_prompts(prompts) {
    setWindowIcon(artwork::windowIcon());
    setAcceptDrops(true);
    Document& document = context.document();
    m_loop = new FrameLoop(document, context.playback(), this);

    m_client = new ClientArea(this);
    setCentralWidget(m_client);
    buildCommands();
    buildMenus();

    std::vector<QAction*> toolbarActions(layout::kToolbarButtonCount, nullptr);
    for (const Command& c : commands())
        if (c.toolbarIndex >= 0)
            toolbarActions[static_cast<std::size_t>(c.toolbarIndex)] = action(c.id);
    m_toolbar = new ToolbarStrip(toolbarActions, m_client);
    m_materialPanel =
        new MaterialPanel(document, context.setup(), prompts, context.programDir(), m_client);
    m_nodePanel = new NodePanel(document, m_client);
    m_parameterPanel = new ParameterPanel(document, m_client);
    m_helpBar = new HelpBar(m_client);
    m_preview = new PreviewView(document, context.playback(), m_client);
    m_transport = new TransportBar(document, context.playback(), *m_loop, m_client);
    giveHelpTexts();

    connect(m_loop, &FrameLoop::frameDrawn, m_preview, qOverload<>(&QWidget::update));
    connect(&document, &Document::titleChanged, this, &MainWindow::refreshTitle);
    connect(&document, &Document::headerChanged, this, &MainWindow::placePreview);
    connect(&document, &Document::projectReplaced, this, &MainWindow::placePreview);
    refreshTitle();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildCommands() {
    for (const Command& c : commands()) {
        auto* a = new QAction(trText(c.menuText), this);
        a->setShortcuts(c.keys);
        a->setShortcutContext(Qt::WindowShortcut);
        if (*c.help) a->setToolTip(trText(c.help));
        const int id = c.id;
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
        addAction(a);  // the accelerators work whether or not a menu shows the command
        m_actions[id] = a;
    }
    QUndoStack& undo = m_context.document().undoStack();
    QAction* undoAction = action(kCommandUndo);
    QAction* redoAction = action(kCommandRedo);
    undoAction->setEnabled(undo.canUndo());
    redoAction->setEnabled(undo.canRedo());
    connect(&undo, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    connect(&undo, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
}

// The shell's part of the help bar: its windows, the toolbar and the panels'
// buttons, whose tooltips carry the same texts.
void MainWindow::giveHelpTexts() {
    setHelpText(*m_helpBar, uiText(pages::kHelpBarHelp));
    setHelpText(*m_preview, uiText(pages::kPreviewHelp));
    setHelpText(*m_nodePanel, uiText(pages::kNodePanelHelp));
    setHelpText(*m_materialPanel, uiText(pages::kMaterialPanelHelp));
    for (int id : kCommandsWithHelp) {
        const Command* command = findCommand(id);
        if (QAbstractButton* button = command ? m_toolbar->button(command->toolbarIndex) : nullptr)
            setHelpText(*button, trText(command->help));
    }
    for (int k = 0; k < NodePanel::kButtonCount; ++k) {
        QAbstractButton* button = m_nodePanel->operationButton(k);
        setHelpText(*button, button->toolTip());
    }
    for (QAbstractButton* button : {m_materialPanel->addButton(), m_materialPanel->removeButton()})
        setHelpText(*button, button->toolTip());
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(trText(QT_TRANSLATE_NOOP("Sparkplume", "ファイル(&F)")));
    file->addAction(action(kCommandNew));
    file->addAction(action(kCommandOpen));
    file->addSeparator();
    file->addAction(action(kCommandSave));
    file->addAction(action(kCommandSaveAs));
    file->addSeparator();
    file->addAction(action(kCommandExport));
    file->addSeparator();
    file->addAction(action(kCommandQuit));
    QMenu* edit = menuBar()->addMenu(trText(QT_TRANSLATE_NOOP("Sparkplume", "編集(&E)")));
    edit->addAction(action(kCommandUndo));
    edit->addAction(action(kCommandRedo));
    QMenu* help = menuBar()->addMenu(trText(QT_TRANSLATE_NOOP("Sparkplume", "ヘルプ(&H)")));
    help->addAction(action(kCommandHelp));
    help->addAction(action(kCommandAbout));
    // The one menu in both languages, so that either reader finds it.
    QMenu* language = menuBar()->addMenu(QStringLiteral("表示言語 / Language"));
    m_japanese = language->addAction(QStringLiteral("日本語"));
    m_english = language->addAction(QStringLiteral("English"));
    for (QAction* a : {m_japanese, m_english}) a->setCheckable(true);
    connect(m_japanese, &QAction::triggered, this,
            [this] { chooseLanguage(UiLanguage::Japanese); });
    connect(m_english, &QAction::triggered, this, [this] { chooseLanguage(UiLanguage::English); });
    setLanguage(m_language);
}

void MainWindow::setLanguage(UiLanguage language) {
    m_language = language;
    m_japanese->setChecked(language == UiLanguage::Japanese);
    m_english->setChecked(language == UiLanguage::English);
}

// The widgets took their texts when they were made, so the other language is
// used from the next start; the choice is kept at once.
void MainWindow::chooseLanguage(UiLanguage language) {
    storeLanguage(m_context.setup(), language);
    m_japanese->setChecked(language == UiLanguage::Japanese);
    m_english->setChecked(language == UiLanguage::English);
    if (language != m_language) m_prompts.showMessage(kLanguageNextStartText, "Sparkplume");
}

QAction* MainWindow::action(int id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void MainWindow::runCommand(int id) {
    // The export's dialogs are modal, so no command reaches the window while it
    // runs; this keeps a command sent another way from editing under it too.
    if (m_export.running) return;
    Document& document = m_context.document();
    FileCommands& files = m_context.files();
    switch (id) {
        case kCommandNew:
            files.commandNew();
            break;
        case kCommandOpen:
            files.commandOpen();
            break;
        case kCommandSave:
            files.commandSave();
            break;
        case kCommandSaveAs:
            files.commandSaveAs();
            break;
        case kCommandExport:
            exportEffect();
            break;
        case kCommandQuit:
            close();
            break;
        case kCommandHelp:
            openManual();
            break;
        case kCommandSize:
            runSizeDialog(document, this);
            break;
        case kCommandAbout:
            runAboutBox(this);
            break;
        case kCommandReseed:
            document.reseed();
            break;
        case kCommandEmission:
            runEmissionDialog(document, this);
            break;
        case kCommandBackgroundColour:
            chooseBackgroundColour();
            break;
        case kCommandAnimation:
            runAnimationDialog(document, this);
            break;
        case kCommandBackgroundImage:
            runBackgroundImageDialog(document, m_prompts, this);
            break;
        case kCommandZoomIn:
            zoom(true);
            break;
        case kCommandZoomOut:
            zoom(false);
            break;
        case kCommandUndo:
            document.undoStack().undo();
            break;
        case kCommandRedo:
            document.undoStack().redo();
            break;
        default:
            break;
    }
}

int MainWindow::scrollBarWidth() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

void MainWindow::layoutPanels() {
    if (!m_client || !m_preview) return;
    const int W = m_client->width();
    const int H = m_client->height();
    m_toolbar->setGeometry(0, 0, W, layout::kToolbarHeight);
    m_materialPanel->setGeometry(layout::materialPanel(W, H));
    m_nodePanel->setGeometry(layout::nodePanel(W, H));
    m_parameterPanel->setGeometry(layout::parameterPanel(W, H, scrollBarWidth()));
    // All of the pages fit from 748 pixels up: they are shown from their top then.
    if (!layout::parameterPanelScrolls(H)) m_parameterPanel->verticalScrollBar()->setValue(0);
    m_helpBar->setGeometry(layout::helpBar(W, H));
    placePreview();
}

void MainWindow::placePreview() {
    if (!m_client || !m_preview) return;
    const ProjectState& s = m_context.document().state();
    const int W = m_client->width();
    const int H = m_client->height();
    const QPoint at = layout::previewPosition(W, H, s.projectWidth, s.projectHeight, s.zoom,
                                              PreviewView::kCaptionHeight);
    m_preview->setGeometry(QRect(at, m_preview->outerSize()));
    // The transport bar goes under the preview, at least wide enough for its
    // controls, and never below the help bar's top.
    const int width = std::max(m_preview->width(), 320);
    const int x = at.x() + (m_preview->width() - width) / 2;
    const int y = std::min(m_preview->geometry().bottom() + 3,
                           layout::helpBar(W, H).top() - TransportBar::kHeight);
    m_transport->setGeometry(x, y, width, TransportBar::kHeight);
    m_transport->raise();
    m_preview->update();
}

void MainWindow::zoom(bool in) {
    const ProjectState& s = m_context.document().state();
    const int W = m_client->width();
    const int H = m_client->height();
    const float next = in ? layout::zoomIn(s.zoom, W, H, s.projectWidth, s.projectHeight,
                                           PreviewView::kCaptionHeight, scrollBarWidth())
                          : layout::zoomOut(s.zoom, W, H, s.projectWidth, s.projectHeight,
                                            PreviewView::kCaptionHeight, scrollBarWidth());
    m_context.document().setZoom(next);
}

void MainWindow::chooseBackgroundColour() {
    const ProjectState& s = m_context.document().state();
    const auto initial =
        static_cast<uint32_t>((s.backgroundRed & 0xFF) << 16 | (s.backgroundGreen & 0xFF) << 8 |
                              (s.backgroundBlue & 0xFF));
    if (auto colour = m_prompts.chooseColour(initial)) {
        m_context.document().setBackgroundColour(static_cast<int32_t>(*colour >> 16 & 0xFF),
                                                 static_cast<int32_t>(*colour >> 8 & 0xFF),
                                                 static_cast<int32_t>(*colour & 0xFF));
    }
}

void MainWindow::openManual() {
    // The English manual where there is one, else the Japanese.
    QString manual;
    if (m_language == UiLanguage::English)
        manual = manualPath(m_context.programDir(), QStringLiteral("manual.en.html"));
    if (manual.isEmpty())
        manual = manualPath(m_context.programDir(), QStringLiteral("manual.html"));
    if (manual.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
        m_prompts.showMessage(kManualMissingText, kErrorCaption);
}

void MainWindow::exportEffect() {
    runEditorExport(m_context, m_export, this);
}

void MainWindow::setTitleNote(const QString& note) {
    m_titleNote = note;
    refreshTitle();
}

void MainWindow::refreshTitle() {
    // The title's words are the program's, the file name the user's: only a new
    // project's name and the version are translated.
    QString title = m_context.document().title();
    for (std::string_view word : {kProgramVersion, kUntitledFileName}) {
        const QString source = QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
        if (title.contains(source)) title.replace(source, trText(word));
    }
    setWindowTitle(title + m_titleNote);
}

void MainWindow::showWithSavedPlacement() {
    SetupIni& setup = m_context.setup();
    resize(setup.readInt("WindowSize", "x", 1024), setup.readInt("WindowSize", "y", 768));
    move(setup.readInt("WindowPos", "x", 0), setup.readInt("WindowPos", "y", 0));
    if (setup.readInt("WindowSize", "full", 0) != 0)
        showMaximized();
    else
        show();
}

// A maximised window keeps the restored placement it had: only `full` is written.
void MainWindow::savePlacement() {
    SetupIni& setup = m_context.setup();
    if (isMaximized()) {
        setup.writeInt("WindowSize", "full", 1);
        return;
    }
    setup.writeInt("WindowSize", "full", 0);
    setup.writeInt("WindowSize", "x", width());
    setup.writeInt("WindowSize", "y", height());
    setup.writeInt("WindowPos", "x", pos().x());
    setup.writeInt("WindowPos", "y", pos().y());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_export.running || !m_context.files().confirmClose()) {
        event->ignore();
        return;
    }
    savePlacement();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// A project file dropped on the window is opened; unsaved changes are asked
// about first, as for Open.
void MainWindow::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    openDropped(event->mimeData()->urls());
}

void MainWindow::openDropped(const QList<QUrl>& urls) {
    if (m_export.running) return;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) continue;
        if (m_context.files().askToSaveChanges())
            m_context.files().openByPath(url.toLocalFile().toStdString());
        return;
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        m_loop->setPlaying(!m_loop->playing());
        return;
    }
    if (event->key() == Qt::Key_Period && !m_loop->playing()) {
        m_loop->step();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace sp
