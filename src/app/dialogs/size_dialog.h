#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QLabel;

namespace sp {

class Document;
class IntegerField;

// The canvas size, and whether the emission position moves along with it. OK
// hands the entered sides, taken through enteredCanvasSide, to the document.
class SizeDialog : public QDialog {
    Q_OBJECT

  public:
    explicit SizeDialog(Document& document, QWidget* parent = nullptr);

    QLabel* currentWidthLabel() const { return m_currentWidth; }
    QLabel* currentHeightLabel() const { return m_currentHeight; }
    IntegerField* widthField() const { return m_width; }
    IntegerField* heightField() const { return m_height; }
    QCheckBox* linkBox() const { return m_link; }

    void accept() override;

  private:
    Document& m_document;
    QLabel* m_currentWidth = nullptr;
    QLabel* m_currentHeight = nullptr;
    IntegerField* m_width = nullptr;
    IntegerField* m_height = nullptr;
    QCheckBox* m_link = nullptr;
};

}  // namespace sp
