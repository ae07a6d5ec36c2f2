#include "panels/material_panel.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QTimer>
#include <QUrl>

#include <system_error>

#include "document/document.h"
#include "document/ui_language.h"
#include "panels/material_list_view.h"
#include "project/setup_ini.h"
#include "prompts/prompts.h"
#include "resources/artwork.h"

namespace sp {
namespace {

constexpr const char* kAddHelp =
    QT_TRANSLATE_NOOP("Sparkplume", "使用する画像ファイルを追加します。　");
constexpr const char* kRemoveHelp =
    QT_TRANSLATE_NOOP("Sparkplume", "使用しない画像ファイルを削除します。");

QStringList localFiles(const QMimeData* mime) {
    QStringList files;
    if (!mime) return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

}  // namespace

MaterialPanel::MaterialPanel(Document& document, SetupIni& setup, Prompts& prompts,
                             std::filesystem::path programDir, QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_setup(setup),
      m_prompts(prompts),
      m_programDir(std::move(programDir)),
      m_chrome(trText(QT_TRANSLATE_NOOP("Sparkplume", "マテリアルパネル"))) {
    const QSize face(26, 20);
    m_add = new FaceButton(artwork::materialButtonFaces, 0, face, this);
    m_add->move(4, PanelChrome::kTitleHeight);
    m_add->setToolTip(trText(kAddHelp));
    m_remove = new FaceButton(artwork::materialButtonFaces, 1, face, this);
    m_remove->move(30, PanelChrome::kTitleHeight);
    m_remove->setToolTip(trText(kRemoveHelp));
    m_list = new MaterialListView(m_document, this);
    setAcceptDrops(true);

    connect(m_add, &QAbstractButton::clicked, this, &MaterialPanel::chooseMaterialFile);
    connect(m_remove, &QAbstractButton::clicked, this, &MaterialPanel::removeSelectedMaterial);
    connect(&m_document, &Document::materialsChanged, m_list, &MaterialListView::refresh);
    connect(&m_document, &Document::projectReplaced, m_list, &MaterialListView::refresh);
}

void MaterialPanel::importFiles(const QStringList& files) {
    for (const QString& file : files) m_document.importMaterial(file.toStdString());
}

void MaterialPanel::chooseMaterialFile() {
    FileDialogRequest request;
    request.initialFolder = m_setup.folderOr("Material", m_programDir / "素材").string();
    request.filters = {{QT_TRANSLATE_NOOP("Sparkplume", "すべてのファイル(*.*)"), "*.*"}};
    const std::optional<std::string> chosen = m_prompts.chooseFileToOpen(request);
    if (!chosen || chosen->empty()) return;
    if (!m_document.importMaterial(*chosen)) return;
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(*chosen, ec).parent_path();
    if (ec) folder = std::filesystem::path(*chosen).parent_path();
    m_setup.writeString("Directory", "Material", folder.string());
}

void MaterialPanel::removeSelectedMaterial() {
    const int row = m_list->selectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_document.project().materials.size()) return;
    m_document.removeMaterial(static_cast<std::size_t>(row));
}

void MaterialPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_chrome.paint(painter, *this);
}

void MaterialPanel::resizeEvent(QResizeEvent*) {
    m_list->setGeometry(4, 36, std::max(0, width() - 8), std::max(0, height() - 40));
}

void MaterialPanel::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MaterialPanel::dragMoveEvent(QDragMoveEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MaterialPanel::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    // Imported once the drop is over: an import may ask about overwriting, and
    // a dialog opened inside the drop keeps the program the files came from
    // waiting.
    QTimer::singleShot(0, this, [this, files] { importFiles(files); });
}

}  // namespace sp
