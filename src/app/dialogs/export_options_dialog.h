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
    QComboBox* trimList() const { return m_trim; }
    IntegerField* paddingField() const { return m_padding; }
    IntegerField* extrudeField() const { return m_extrude; }
    QCheckBox* powerOfTwoBox() const { return m_powerOfTwo; }
    IntegerField* maxSizeField() const { return m_maxSize; }
    QComboBox* jsonList() const { return m_json; }
    QComboBox* alphaList() const { return m_alpha; }
    QCheckBox* losslessBox() const { return m_lossless; }
    IntegerField* qualityField() const { return m_quality; }

    // The sheet's options and WebP's quality to start from (the remembered ones),
    // and the canvas the sheet options are checked against.
    void setOptions(const ExportSettings& remembered);
    void setCanvas(int32_t width, int32_t height);
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
    QComboBox* m_trim = nullptr;
    IntegerField* m_padding = nullptr;
    IntegerField* m_extrude = nullptr;
    QCheckBox* m_powerOfTwo = nullptr;
    IntegerField* m_maxSize = nullptr;
    QComboBox* m_json = nullptr;
    QComboBox* m_alpha = nullptr;
    QWidget* m_sheetGroup = nullptr;
    QCheckBox* m_lossless = nullptr;
    IntegerField* m_quality = nullptr;
    QWidget* m_qualityGroup = nullptr;
    int32_t m_canvasWidth = 0;
    int32_t m_canvasHeight = 0;
    QLabel* m_problem = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace sp
