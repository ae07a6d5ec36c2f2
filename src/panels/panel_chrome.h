#pragma once

#include <QAbstractButton>
#include <QFont>
#include <QImage>
#include <QString>

class QAbstractScrollArea;
class QPainter;
class QWidget;

namespace sp {

// The named font where it is installed, else the system's sans; Japanese text
// falls back to a Japanese face either way.
QFont panelFont(const QString& family, int pixelSize, bool bold);

// Dark scroll bars for a list on a dark panel; the platform's light ones would
// be the brightest thing in it.
void darkenScrollBars(QAbstractScrollArea& area);

// A picture from the artwork, drawn again when the screen's pixel ratio changes.
class CachedArtwork {
  public:
    using Maker = QImage (*)(qreal);
    explicit CachedArtwork(Maker make) : m_make(make) {}
    const QImage& at(qreal ratio);

  private:
    Maker m_make;
    QImage m_image;
    qreal m_ratio = 0;
};

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
