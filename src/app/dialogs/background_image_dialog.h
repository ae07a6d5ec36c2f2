#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sp {

class Document;
class Prompts;

// The preview's background picture: a file and whether it is drawn at its own
// size or stretched over the canvas. OK loads it and stays open when the file
// cannot be read; クリア removes the picture.
class BackgroundImageDialog : public QDialog {
    Q_OBJECT

  public:
    BackgroundImageDialog(Document& document, Prompts& prompts, QWidget* parent = nullptr);

    QLineEdit* pathEdit() const { return m_path; }
    QPushButton* browseButton() const { return m_browse; }
    QRadioButton* originalSizeButton() const { return m_originalSize; }
    QRadioButton* fitButton() const { return m_fit; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* clearButton() const { return m_clear; }

    void browse();
    void clear();
    void accept() override;

  private:
    Document& m_document;
    Prompts& m_prompts;
    QLineEdit* m_path = nullptr;
    QPushButton* m_browse = nullptr;
    QRadioButton* m_originalSize = nullptr;
    QRadioButton* m_fit = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_clear = nullptr;
};

}  // namespace sp
