#pragma once

#include <QDialog>
#include <QImage>

namespace sp {

// The program's name and version under a picture of a spark plume; OK closes it.
class AboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit AboutBox(QWidget* parent = nullptr);

    // The picture, drawn for a device pixel ratio: 360 × 88 logical pixels.
    static QImage picture(qreal ratio = 1.0);
};

}  // namespace sp
