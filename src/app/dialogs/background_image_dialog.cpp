#include "app/dialogs/background_image_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_parts.h"
#include "document/document.h"

namespace sp {

BackgroundImageDialog::BackgroundImageDialog(Document& document, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_document(document), m_prompts(prompts) {
    setWindowTitle(uiText(QT_TRANSLATE_NOOP("Sparkplume", "背景画像")));
    const ProjectState& state = document.state();

    auto* fileGroup = new QGroupBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "画像ファイル")), this);
    m_path = new QLineEdit(QString::fromStdString(state.backgroundImagePath), fileGroup);
    m_path->setObjectName(QStringLiteral("path"));
    m_path->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40);
    m_browse = new QPushButton(uiText(QT_TRANSLATE_NOOP("Sparkplume", "参照")), fileGroup);
    m_browse->setAutoDefault(false);
    auto* fileRow = new QHBoxLayout(fileGroup);
    fileRow->addWidget(m_path, 1);
    fileRow->addWidget(m_browse);

    auto* scaleGroup = new QGroupBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "拡大率")), this);
    m_originalSize =
        new QRadioButton(uiText(QT_TRANSLATE_NOOP("Sparkplume", "そのままのサイズ")), scaleGroup);
    m_fit = new QRadioButton(uiText(QT_TRANSLATE_NOOP("Sparkplume", "ウィンドウに合わせる")),
                             scaleGroup);
    (state.backgroundOriginalSize == 1 ? m_originalSize : m_fit)->setChecked(true);
    auto* scaleRow = new QHBoxLayout(scaleGroup);
    scaleRow->addWidget(m_originalSize);
    scaleRow->addWidget(m_fit);
    scaleRow->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_clear = buttons->addButton(uiText(QT_TRANSLATE_NOOP("Sparkplume", "クリア")),
                                 QDialogButtonBox::ResetRole);
    buttons->addButton(uiText(kCancelText), QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_clear, &QPushButton::clicked, this, &BackgroundImageDialog::clear);
    connect(m_browse, &QPushButton::clicked, this, &BackgroundImageDialog::browse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileGroup);
    layout->addWidget(scaleGroup);
    fitTitle(*this, *layout);
    layout->addWidget(buttons);
}

void BackgroundImageDialog::browse() {
    FileDialogRequest request;
    request.filters = {{QT_TRANSLATE_NOOP("Sparkplume", "画像ファイル(*.*)"), "*.*"}};
    // Start where the picture in the field lies, when that folder is still there.
    const QFileInfo current(m_path->text());
    if (!m_path->text().isEmpty() && current.absoluteDir().exists())
        request.initialFolder = current.absolutePath().toStdString();
    if (auto chosen = m_prompts.chooseFileToOpen(request))
        m_path->setText(QString::fromStdString(*chosen));
}

void BackgroundImageDialog::clear() {
    m_document.clearBackgroundPicture();
    QDialog::accept();
}

void BackgroundImageDialog::accept() {
    // A file that cannot be read (an empty field too) has been reported by the
    // document; the dialog stays open with the path, to be corrected.
    if (!m_document.setBackgroundPicture(m_path->text().toStdString(), m_originalSize->isChecked()))
        return;
    QDialog::accept();
}

}  // namespace sp
