#pragma once

#include <QDialog>

#include "app/dialogs/settings_rules.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace sp {

class Document;

// The emission position, typed in pixels or in per cent of the canvas. OK
// places it, even where it already is, and the effect starts again.
class EmissionDialog : public QDialog {
    Q_OBJECT

  public:
    explicit EmissionDialog(Document& document, QWidget* parent = nullptr);

    QLabel* currentXLabel() const { return m_currentX; }
    QLabel* currentYLabel() const { return m_currentY; }
    QLineEdit* xEdit() const { return m_x; }
    QLineEdit* yEdit() const { return m_y; }
    // Items "%" (index 0) and "pixel" (index 1), as PositionUnit.
    QComboBox* xUnitBox() const { return m_xUnit; }
    QComboBox* yUnitBox() const { return m_yUnit; }
    const EmissionSettings& settings() const { return m_settings; }

    void accept() override;

  private:
    Document& m_document;
    EmissionSettings m_settings;
    QLabel* m_currentX = nullptr;
    QLabel* m_currentY = nullptr;
    QLineEdit* m_x = nullptr;
    QLineEdit* m_y = nullptr;
    QComboBox* m_xUnit = nullptr;
    QComboBox* m_yUnit = nullptr;
};

}  // namespace sp
