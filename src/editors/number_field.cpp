#include "editors/number_field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpressionValidator>
#include <QWheelEvent>

#include <algorithm>

#include "editors/field_rules.h"

namespace sp {

// The two arrows, the upper half stepping up. Held down they repeat, as
// arrows do.
class NumberField::Arrows : public QWidget {
  public:
    explicit Arrows(NumberField& field) : QWidget(&field), m_field(field) {
        setFocusPolicy(Qt::NoFocus);
        setCursor(Qt::ArrowCursor);
        m_repeat.setInterval(400);
        connect(&m_repeat, &QTimer::timeout, this, [this] {
            m_repeat.setInterval(60);
            m_field.stepBy(m_held);
        });
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QPalette& pal = palette();
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        const qreal middle = height() / 2.0;
        for (int half = 0; half < 2; ++half) {
            const int step = half == 0 ? 1 : -1;
            const QRectF cell(r.left(), half == 0 ? r.top() : middle, r.width(),
                              half == 0 ? middle - r.top() : r.bottom() - middle);
            p.setPen(QPen(pal.color(QPalette::Shadow), 1));
            p.setBrush(m_held == step ? pal.color(QPalette::Dark) : pal.color(QPalette::Button));
            p.drawRect(cell);
            const QPointF c = cell.center();
            QPainterPath arrow;
            const qreal w = 3.5, h = 2.5 * step;
            arrow.moveTo(c.x() - w, c.y() + h);
            arrow.lineTo(c.x() + w, c.y() + h);
            arrow.lineTo(c.x(), c.y() - h);
            arrow.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::ButtonText));
            p.drawPath(arrow);
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        m_held = event->position().y() < height() / 2.0 ? 1 : -1;
        m_field.beginInteraction();
        m_field.stepBy(m_held);
        m_repeat.setInterval(400);
        m_repeat.start();
        update();
    }

    void mouseReleaseEvent(QMouseEvent*) override {
        m_repeat.stop();
        m_held = 0;
        update();
    }

  private:
    NumberField& m_field;
    QTimer m_repeat;
    int m_held = 0;  // the step of the arrow held down, 0 for none
};

NumberField::NumberField(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_arrows(new Arrows(*this)) {
    m_edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::textEdited, this, &NumberField::edited);
    setFocusProxy(m_edit);
}

QWidget* NumberField::arrows() const {
    return m_arrows;
}

void NumberField::setRange(int32_t minimum, int32_t maximum) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setNumberOnly(m_numberOnly);
}

void NumberField::setNumberOnly(bool numberOnly) {
    m_numberOnly = numberOnly;
    if (!numberOnly) {
        m_edit->setValidator(nullptr);
        return;
    }
    const QString pattern = m_minimum < 0 ? QStringLiteral("-?[0-9]*") : QStringLiteral("[0-9]*");
    m_edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), m_edit));
}

QString NumberField::text() const {
    return m_edit->text();
}

void NumberField::setText(const QString& text) {
    if (m_edit->text() != text) m_edit->setText(text);
}

int32_t NumberField::value() const {
    return field_rules::readInteger(m_edit->text().toStdString());
}

void NumberField::stepBy(int steps) {
    const int64_t next =
        std::clamp<int64_t>(static_cast<int64_t>(value()) + steps, m_minimum, m_maximum);
    const QString text = QString::number(next);
    if (text == m_edit->text()) return;
    m_edit->setText(text);
    emit edited(text);
}

void NumberField::setEditEnabled(bool enabled) {
    m_edit->setEnabled(enabled);
}

bool NumberField::isEditEnabled() const {
    return m_edit->isEnabled();
}

void NumberField::resizeEvent(QResizeEvent*) {
    const int arrows = std::min(kArrowWidth, width());
    m_edit->setGeometry(0, 0, width() - arrows, height());
    m_arrows->setGeometry(width() - arrows, 0, arrows, height());
}

void NumberField::wheelEvent(QWheelEvent* event) {
    // Whole notches of 120; a fine-grained wheel adds up to them.
    m_wheelRemainder += event->angleDelta().y();
    const int steps = m_wheelRemainder / 120;
    m_wheelRemainder -= steps * 120;
    if (steps != 0) {
        beginInteraction();
        stepBy(steps);
    }
    event->accept();
}

bool NumberField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit) {
        if (event->type() == QEvent::FocusIn) {
            emit visitStarted();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                stepBy(key->key() == Qt::Key_Up ? 1 : -1);
                return true;
            }
        } else if (event->type() == QEvent::Wheel) {
            wheelEvent(static_cast<QWheelEvent*>(event));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Arrows and the wheel take the field's visit too: the edit box gets the
// focus, or, while it is off, each use is a visit of its own.
void NumberField::beginInteraction() {
    if (m_edit->hasFocus()) return;
    if (m_edit->isEnabled() && isVisible()) m_edit->setFocus(Qt::OtherFocusReason);
    if (!m_edit->hasFocus()) emit visitStarted();
}

}  // namespace sp
