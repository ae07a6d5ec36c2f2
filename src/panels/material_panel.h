#pragma once

#include <QStringList>
#include <QWidget>

#include <filesystem>

#include "panels/panel_chrome.h"

class QAbstractButton;

namespace sp {

class Document;
class MaterialListView;
class Prompts;
class SetupIni;

// The material panel: the title strip "マテリアルパネル", the add and remove
// buttons and the list of the project's materials with their thumbnails.
// Pictures dropped on it are imported.
class MaterialPanel : public QWidget {
    Q_OBJECT

  public:
    MaterialPanel(Document& document, SetupIni& setup, Prompts& prompts,
                  std::filesystem::path programDir, QWidget* parent = nullptr);

    // Imports pictures as a drop on the panel does, in the order given.
    void importFiles(const QStringList& files);
    // The add button: a picture chosen in a file dialog is imported, and its
    // folder is where the dialog opens next time.
    void chooseMaterialFile();
    // The remove button: the highlighted material's file is deleted.
    void removeSelectedMaterial();

    MaterialListView* list() const { return m_list; }
    QAbstractButton* addButton() const { return m_add; }
    QAbstractButton* removeButton() const { return m_remove; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    Document& m_document;
    SetupIni& m_setup;
    Prompts& m_prompts;
    std::filesystem::path m_programDir;
    PanelChrome m_chrome;
    QAbstractButton* m_add = nullptr;
    QAbstractButton* m_remove = nullptr;
    MaterialListView* m_list = nullptr;
};

}  // namespace sp
