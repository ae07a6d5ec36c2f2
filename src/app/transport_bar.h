#pragma once

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;

namespace sp {

class Document;
class FrameLoop;
class Playback;

// The slim bar under the preview: play and pause, one frame forward, a frame
// slider that scrubs through the loop, and the frame with the live particle
// count. None of it is saved or changes the project.
class TransportBar : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kHeight = 26;

    TransportBar(Document& document, Playback& playback, FrameLoop& loop,
                 QWidget* parent = nullptr);

    QSlider* slider() const { return m_slider; }

    // The frame number, the slider and the count as of the last drawn frame.
    void refresh();

  private:
    Document& m_document;
    Playback& m_playback;
    FrameLoop& m_loop;
    QToolButton* m_play = nullptr;
    QToolButton* m_step = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_label = nullptr;
};

}  // namespace sp
