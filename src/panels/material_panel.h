#pragma once

#include <QStringList>
#include <QWidget>

#include <filesystem>

namespace sp {

class Document;
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

  private:
    Document& m_document;
    SetupIni& m_setup;
    Prompts& m_prompts;
    std::filesystem::path m_programDir;
};

}  // namespace sp
