#include "app/dialogs/about_box.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>

#include <string>

#include <cmath>
#include <cstdint>

#include "app/dialogs/dialog_parts.h"
#include "project/window_title.h"

namespace sp {
namespace {

constexpr int kPictureWidth = 360;
constexpr int kPictureHeight = 88;

// A fixed sequence, so that the picture is the same every time.
class SparkSequence {
  public:
    float next() {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<float>(m_state >> 8) / 16777216.0f;
    }

  private:
    uint32_t m_state = 20240611u;
};

}  // namespace

QImage AboutBox::picture(qreal ratio) {
    QImage image(qRound(kPictureWidth * ratio), qRound(kPictureHeight * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kPictureHeight);
    sky.setColorAt(0.0, QColor(10, 14, 38));
    sky.setColorAt(1.0, QColor(36, 20, 52));
    p.fillRect(QRectF(0, 0, kPictureWidth, kPictureHeight), sky);

    // The plume: sparks thrown up and to the right from one point, cooling from
    // white through yellow to red as they rise and spread.
    const QPointF source(54, 74);
    SparkSequence random;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 260; ++i) {
        const float age = random.next();
        const float angle = -1.15f + (random.next() - 0.5f) * 0.9f;
        const float reach = 20.0f + age * 300.0f;
        const float lift = age * age * 26.0f;  // the plume bends over
        const QPointF at(source.x() + std::cos(angle) * reach,
                         source.y() + std::sin(angle) * reach * 0.28f + lift);
        const int heat = static_cast<int>(255 * (1.0f - age));
        const QColor colour(255, 110 + heat * 145 / 255, heat * 3 / 4, 60 + heat * 3 / 4);
        const qreal radius = 0.6 + (1.0 - age) * 2.2 * random.next();
        QRadialGradient glow(at, radius * 3);
        glow.setColorAt(0.0, colour);
        glow.setColorAt(1.0, QColor(colour.red(), colour.green(), colour.blue(), 0));
        p.setBrush(glow);
        p.drawEllipse(at, radius * 3, radius * 3);
    }

    // The emitter's glow.
    QRadialGradient core(source, 18);
    core.setColorAt(0.0, QColor(255, 255, 240, 255));
    core.setColorAt(0.3, QColor(255, 200, 90, 180));
    core.setColorAt(1.0, QColor(255, 90, 30, 0));
    p.setBrush(core);
    p.drawEllipse(source, 18, 18);
    return image;
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(uiText(QT_TRANSLATE_NOOP("Sparkplume", "バージョン情報")));

    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap::fromImage(AboutBox::picture(devicePixelRatioF())));
    auto* name = new QLabel(QStringLiteral("Sparkplume"), this);
    QFont nameFont = name->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
    nameFont.setBold(true);
    name->setFont(nameFont);
    auto* version = new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "バージョン ")) +
                                   uiText(std::string(kProgramVersion).c_str()),
                               this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addSpacing(6);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addWidget(version, 0, Qt::AlignHCenter);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace sp
