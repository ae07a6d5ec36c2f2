#pragma once

#include <QMainWindow>
#include <QString>

#include <map>

#include "app/dialogs/export_interaction.h"
#include "document/ui_language.h"

class QAction;
class QUrl;

namespace sp {

class AppContext;
class FrameLoop;
class HelpBar;
class MaterialPanel;
class NodePanel;
class ParameterPanel;
class PreviewView;
class ToolbarStrip;
class TransportBar;
class Prompts;

// The editor's one window: the toolbar strip, the material and node panels on
// the left, the parameter panel on the right, the help bar along the bottom and
// the preview in the middle, placed as the layout rules say; the menus and the
// accelerators of the command table; the window placement kept in setup.ini.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(AppContext& context, Prompts& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window where setup.ini says it was, maximised when it was.
    void showWithSavedPlacement();
    // A note after the title, e.g. when this window works in a folder of its own.
    void setTitleNote(const QString& note);

    // The language the window's texts are in (the manual follows it), and the
    // choice of the menu "表示言語 / Language", kept in setup.ini for the next start.
    void setLanguage(UiLanguage language);
    UiLanguage language() const { return m_language; }
    void chooseLanguage(UiLanguage language);

    // Runs a command of the command table, as its menu entry, button or key does.
    void runCommand(int id);
    QAction* action(int id) const;

    FrameLoop& frameLoop() { return *m_loop; }
    PreviewView* preview() const { return m_preview; }
    TransportBar* transport() const { return m_transport; }
    NodePanel* nodePanel() const { return m_nodePanel; }
    MaterialPanel* materialPanel() const { return m_materialPanel; }
    ParameterPanel* parameterPanel() const { return m_parameterPanel; }
    HelpBar* helpBar() const { return m_helpBar; }

    // Lays every panel out for the client area and places the preview.
    void layoutPanels();

    // What a drop of files on the window does: the first local file is opened as
    // a project, after the question about unsaved changes.
    void openDropped(const QList<QUrl>& urls);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildCommands();
    void buildMenus();
    void placePreview();
    void savePlacement();
    void zoom(bool in);
    void chooseBackgroundColour();
    void openManual();
    void exportEffect();
    void refreshTitle();
    void giveHelpTexts();
    int scrollBarWidth() const;

    AppContext& m_context;
    Prompts& m_prompts;
    FrameLoop* m_loop = nullptr;
    QWidget* m_client = nullptr;
    ToolbarStrip* m_toolbar = nullptr;
    MaterialPanel* m_materialPanel = nullptr;
    NodePanel* m_nodePanel = nullptr;
    ParameterPanel* m_parameterPanel = nullptr;
    HelpBar* m_helpBar = nullptr;
    PreviewView* m_preview = nullptr;
    TransportBar* m_transport = nullptr;
    std::map<int, QAction*> m_actions;
    QString m_titleNote;
    UiLanguage m_language = UiLanguage::Japanese;
    QAction* m_japanese = nullptr;
    QAction* m_english = nullptr;
    ExportDialogState m_export;  // the sheet division between exports; whether one runs
};

}  // namespace sp
