#pragma once

#include <QAbstractScrollArea>

#include "panels/panel_chrome.h"

namespace sp {

class Document;

// The material panel's list: one 48-pixel row per material with its thumbnail
// and name, a highlighted row chosen by a click, scrolled in 4-pixel lines.
class MaterialListView : public QAbstractScrollArea {
    Q_OBJECT

  public:
    static constexpr int kRowHeight = 48;
    static constexpr int kScrollLine = 4;

    explicit MaterialListView(Document& document, QWidget* parent = nullptr);

    // The highlighted row. Not bounded by the list: a click below the last row
    // highlights nothing, and a removal then does nothing.
    int selectedRow() const { return m_selectedRow; }
    void setSelectedRow(int row);

    // The height of all rows, of which the viewport shows one page.
    int contentHeight() const;
    // The rows changed: the scroll range follows and the rows are painted again.
    void refresh();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void updateScrollRange();

    Document& m_document;
    CachedArtwork m_rows;
    int m_selectedRow = 0;
    int m_wheelRemainder = 0;
};

}  // namespace sp
