#include "app/widget_prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include "document/ui_language.h"

namespace sp {
namespace {

// Messages and captions come from the services in Japanese; they are shown in
// the chosen language.
QString text(std::string_view s) {
    return trMessage(s);
}

// "Sparkplumeデータ(*.spd);;すべてのファイル(*.*)": the description already names
// its pattern, as the dialogs show it.
QString filterOf(const FileDialogRequest& request) {
    QStringList filters;
    for (const auto& [description, pattern] : request.filters) {
        QString entry = trText(description);
        // A description that does not show its pattern gets it, or Qt would not filter.
        if (!entry.contains(QString::fromStdString(pattern)))
            entry += QStringLiteral(" (%1)").arg(QString::fromStdString(pattern));
        filters << entry;
    }
    return filters.join(QStringLiteral(";;"));
}

QString startPath(const FileDialogRequest& request) {
    QString path = QString::fromStdString(request.initialFolder);
    if (!request.initialName.empty())
        path = path.isEmpty()
                   ? QString::fromStdString(request.initialName)
                   : path + QLatin1Char('/') + QString::fromStdString(request.initialName);
    return path;
}

constexpr const char* kReplaceQuestionText =
    QT_TRANSLATE_NOOP("Sparkplume", "「%1」は既に存在します。\n上書きしますか？");

// Yes and No in the program's own words, No the default: nothing is replaced by
// a stray Enter.
bool confirmReplace(QWidget* owner, const QString& file) {
    QMessageBox box(QMessageBox::Question, trText(kConfirmCaption),
                    trText(kReplaceQuestionText).arg(QFileInfo(file).fileName()),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.button(QMessageBox::Yes)->setText(trText(QT_TRANSLATE_NOOP("Sparkplume", "はい")));
    box.button(QMessageBox::No)->setText(trText(QT_TRANSLATE_NOOP("Sparkplume", "いいえ")));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> chosen(const QString& file) {
    if (file.isEmpty()) return std::nullopt;
    return file.toStdString();
}

}  // namespace

void WidgetPrompts::showMessage(std::string_view message, std::string_view caption) {
    QMessageBox::information(m_owner, text(caption), text(message));
}

Prompts::Answer WidgetPrompts::askYesNoCancel(std::string_view question, std::string_view caption) {
    const auto answer = QMessageBox::question(
        m_owner, text(caption), text(question),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return Answer::Yes;
    if (answer == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

bool WidgetPrompts::askYesNo(std::string_view question, std::string_view caption) {
    return QMessageBox::question(m_owner, text(caption), text(question),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> WidgetPrompts::chooseProjectToOpen(const FileDialogRequest& request) {
    return chosen(
        QFileDialog::getOpenFileName(m_owner, QString(), startPath(request), filterOf(request)));
}

std::optional<std::string> WidgetPrompts::chooseProjectToSave(const FileDialogRequest& request) {
    // The dialog itself asks before an existing file is replaced.
    QFileDialog dialog(m_owner, QString(), startPath(request), filterOf(request));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.initialName.empty())
        dialog.selectFile(QString::fromStdString(request.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return chosen(dialog.selectedFiles().front());
}

std::optional<std::string> WidgetPrompts::chooseExportResult(const FileDialogRequest& request) {
    QString folder = QString::fromStdString(request.initialFolder);
    QString name = QString::fromStdString(request.initialName);
    // Declining to replace a file returns to the dialog, at the name that was chosen.
    for (;;) {
        QFileDialog dialog(m_owner, trText(QT_TRANSLATE_NOOP("Sparkplume", "書き出し")), folder,
                           filterOf(request));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
        dialog.setLabelText(QFileDialog::LookIn,
                            trText(QT_TRANSLATE_NOOP("Sparkplume", "保存する場所：")));
        dialog.setLabelText(QFileDialog::FileName,
                            trText(QT_TRANSLATE_NOOP("Sparkplume", "ファイル名：")));
        dialog.setLabelText(QFileDialog::FileType,
                            trText(QT_TRANSLATE_NOOP("Sparkplume", "ファイルの種類：")));
        dialog.setLabelText(QFileDialog::Accept, trText(QT_TRANSLATE_NOOP("Sparkplume", "保存")));
        dialog.setLabelText(QFileDialog::Reject,
                            trText(QT_TRANSLATE_NOOP("Sparkplume", "キャンセル")));
        if (!name.isEmpty()) dialog.selectFile(name);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString file = dialog.selectedFiles().front();
        if (!QFileInfo::exists(file) || confirmReplace(m_owner, file)) return chosen(file);
        folder = QFileInfo(file).absolutePath();
        name = QFileInfo(file).fileName();
    }
}

std::optional<std::string> WidgetPrompts::chooseFileToOpen(const FileDialogRequest& request) {
    return chosen(
        QFileDialog::getOpenFileName(m_owner, QString(), startPath(request), filterOf(request)));
}

std::optional<uint32_t> WidgetPrompts::chooseColour(uint32_t initial) {
    const QColor colour = QColorDialog::getColor(QColor::fromRgb(initial & 0xFFFFFFu), m_owner);
    if (!colour.isValid()) return std::nullopt;
    return static_cast<uint32_t>(colour.rgb() & 0xFFFFFFu);
}

}  // namespace sp
