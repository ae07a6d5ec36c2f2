#pragma once

#include <QWidget>

namespace sp {

class Document;
class Playback;

// The preview window: a caption strip with the playback caption, and the
// device's back buffer scaled by the zoom, nearest neighbour, below it. A click
// in the picture moves the emission position there and restarts the effect.
class PreviewView : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kCaptionHeight = 20;
    static constexpr int kBorder = 1;

    PreviewView(Document& document, Playback& playback, QWidget* parent = nullptr);

    // The whole window for the canvas at the document's zoom.
    QSize outerSize() const;
    // Where the picture lies inside the window.
    QRect pictureRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Document& m_document;
    Playback& m_playback;
};

}  // namespace sp
