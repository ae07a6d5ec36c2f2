#pragma once

#include <QDialog>
#include <QWidget>

#include <optional>

#include "export/sheet_layout.h"

class QLabel;
class QPushButton;
class QSlider;
class QStackedWidget;

namespace sp {

class IntegerField;

// The small picture of the sheet's grid, drawn as the layout reports it.
class SheetLayoutDrawing : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 290;
    static constexpr int kHeight = 210;

    SheetLayoutDrawing(const SheetLayout& layout, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {kWidth, kHeight}; }
    // The font of the captions: the named one where installed, else a CJK sans.
    static QFont captionFont();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const SheetLayout& m_layout;
};

// The sprite sheet's shape: the columns on a slider from "縦長" to "横長" and
// the "分割" field, with the grid drawn as they change. Every rule is the
// layout's; the dialog only passes the user's input on and shows the result.
class SheetLayoutDialog : public QDialog {
    Q_OBJECT

  public:
    SheetLayoutDialog(int cells, int frameWidth, int frameHeight, int division,
                      QWidget* parent = nullptr,
                      const std::optional<exchange::SheetOptions>& options = std::nullopt);

    const SheetLayout& layout() const { return m_layout; }
    QSlider* slider() const { return m_slider; }
    IntegerField* divisionField() const { return m_division; }
    SheetLayoutDrawing* drawing() const { return m_drawing; }
    QLabel* problemLabel() const { return m_problem; }
    QLabel* sizeNoteLabel() const { return m_sizeNote; }
    QPushButton* okButton() const { return m_ok; }

  private:
    void divisionEdited(const QString& text);
    void sliderAction(int action);
    void refresh();

    SheetLayout m_layout;
    QSlider* m_slider = nullptr;
    IntegerField* m_division = nullptr;
    SheetLayoutDrawing* m_drawing = nullptr;
    QStackedWidget* m_picture = nullptr;  // the drawing, or why there is none
    QLabel* m_problem = nullptr;
    QLabel* m_sizeNote = nullptr;  // what the sizes mean when the frames are trimmed
    QPushButton* m_ok = nullptr;
};

}  // namespace sp
