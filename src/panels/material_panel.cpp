#include "panels/material_panel.h"

#include "document/document.h"

namespace sp {

MaterialPanel::MaterialPanel(Document& document, SetupIni& setup, Prompts& prompts,
                             std::filesystem::path programDir, QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_setup(setup),
      m_prompts(prompts),
      m_programDir(std::move(programDir)) {}

void MaterialPanel::importFiles(const QStringList& files) {
    for (const QString& file : files) m_document.importMaterial(file.toStdString());
}

}  // namespace sp
