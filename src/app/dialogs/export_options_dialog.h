#pragma once

#include <QDialog>

#include <cstdint>

#include "export/export_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace sp {

class IntegerField;

// The export options: the frames to write, the layout, the file type and the
// transparency. OK ("書き出し") closes the dialog only for settings the export
// can run; otherwise it says why in the dialog and stays open.
class ExportOptionsDialog : public QDialog {
    Q_OBJECT

  public:
    ExportOptionsDialog(int32_t frameCount, QWidget* parent = nullptr);

    IntegerField* startField() const { return m_start; }
    IntegerField* endField() const { return m_end; }
    IntegerField* stepField() const { return m_step; }
    QComboBox* layoutList() const { return m_layout; }
    QComboBox* typeList() const { return m_type; }
    QCheckBox* transparentBox() const { return m_transparent; }
    QLabel* problemLabel() const { return m_problem; }
    QPushButton* exportButton() const { return m_ok; }

    // The settings as the fields and lists stand.
    ExportSettings settings() const;

    void accept() override;

  private:
    void listsChanged();
    void showProblem(const QString& text);

    int32_t m_frameCount;
    IntegerField* m_start = nullptr;
    IntegerField* m_end = nullptr;
    IntegerField* m_step = nullptr;
    QComboBox* m_layout = nullptr;
    QComboBox* m_type = nullptr;
    QCheckBox* m_transparent = nullptr;
    QLabel* m_problem = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace sp
