#pragma once

#include <QAbstractButton>
#include <QString>

#include "resources/look.h"

class QAbstractScrollArea;
class QPainter;
class QWidget;

namespace sp {

// Dark scroll bars for a list on a dark panel; the platform's light ones would
// be the brightest thing in it.
void darkenScrollBars(QAbstractScrollArea& area);

// What the two panels have in common behind their controls: the title strip
// with its caption over the top 16 pixels and the background below.
class PanelChrome {
  public:
    static constexpr int kTitleHeight = 16;

    explicit PanelChrome(QString caption);
    void paint(QPainter& painter, const QWidget& panel);

  private:
    QString m_caption;
    CachedArtwork m_title;
    CachedArtwork m_background;
};

// A button that shows one cell of a strip of faces: the upper row released,
// the lower row pressed. It never takes the keyboard focus, so that the keys
// stay with the list the button works on.
class FaceButton : public QAbstractButton {
    Q_OBJECT

  public:
    FaceButton(CachedArtwork::Maker faces, int cell, QSize size, QWidget* parent);
    QSize sizeHint() const override { return m_size; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CachedArtwork m_faces;
    int m_cell;
    QSize m_size;
};

}  // namespace sp
