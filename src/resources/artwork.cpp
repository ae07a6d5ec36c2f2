#include "resources/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <cmath>
#include <functional>

// Every picture is drawn in logical pixels on an image that carries the device
// pixel ratio, so the same code gives the 1× and the 2× picture. The look is a
// calm dark grey with one warm accent; icons are light shapes with a dark rim,
// so that they stand out on the strip and on a pressed button alike.
namespace sp::artwork {
namespace {

// The palette.
const QColor kInk(233, 234, 236);     // light strokes and faces
const QColor kInkDim(178, 182, 189);  // secondary light parts
const QColor kRim(22, 23, 26);        // the dark edge around light shapes
const QColor kPaper(240, 241, 243);   // pages, dice, clock face
const QColor kAccent(242, 163, 58);   // the warm accent
const QColor kAccentLight(255, 206, 115);
const QColor kAccentDark(196, 112, 32);
const QColor kDanger(232, 112, 94);  // delete and remove

QImage canvas(int width, int height, qreal ratio) {
    QImage image(qRound(width * ratio), qRound(height * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QPen roundPen(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A stroke with a dark rim, readable on light and dark backgrounds.
void rimmedStroke(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width) {
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(kRim, width + 2.0));
    p.drawPath(path);
    p.setPen(roundPen(colour, width));
    p.drawPath(path);
}

void rimmedLine(QPainter& p, QPointF a, QPointF b, const QColor& colour, qreal width) {
    QPainterPath path(a);
    path.lineTo(b);
    rimmedStroke(p, path, colour, width);
}

// A filled shape with a dark rim.
void rimmedFill(QPainter& p, const QPainterPath& path, const QBrush& brush, qreal rim = 1.2) {
    p.setPen(roundPen(kRim, rim));
    p.setBrush(brush);
    p.drawPath(path);
}

QLinearGradient vertical(qreal top, qreal bottom, const QColor& a, const QColor& b) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

// The toolbar's surface, shared by the strip and the buttons so that the
// buttons sit seamlessly on it.
void paintToolbarSurface(QPainter& p, const QRectF& r) {
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0.0, QColor(72, 75, 81));
    g.setColorAt(0.08, QColor(64, 67, 73));
    g.setColorAt(1.0, QColor(44, 46, 50));
    p.fillRect(r, g);
    p.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), QColor(24, 25, 28));
}

// A pressed button: a sunken well under the icon.
void paintPressedWell(QPainter& p, const QRectF& r) {
    const QRectF well = r.adjusted(2, 2, -2, -2);
    QLinearGradient g(0, well.top(), 0, well.bottom());
    g.setColorAt(0, QColor(26, 27, 30));
    g.setColorAt(1, QColor(42, 44, 48));
    p.setPen(QPen(QColor(18, 19, 21), 1));
    p.setBrush(g);
    p.drawRoundedRect(well.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.drawLine(QPointF(well.left() + 4, well.bottom() - 0.5),
               QPointF(well.right() - 4, well.bottom() - 0.5));
}

// --- toolbar icons, each in a 48 × 32 cell --------------------------------

void iconNew(QPainter& p) {
    QPainterPath page;
    page.moveTo(15, 4);
    page.lineTo(27, 4);
    page.lineTo(33, 10);
    page.lineTo(33, 28);
    page.lineTo(15, 28);
    page.closeSubpath();
    rimmedFill(p, page, vertical(4, 28, kPaper, QColor(205, 209, 215)));
    QPainterPath fold;
    fold.moveTo(27, 4);
    fold.lineTo(27, 10);
    fold.lineTo(33, 10);
    fold.closeSubpath();
    rimmedFill(p, fold, QColor(190, 195, 202));
    // A few lines of nothing yet.
    p.setPen(QPen(QColor(170, 175, 183), 1.2));
    p.drawLine(QPointF(18.5, 14), QPointF(28, 14));
    p.drawLine(QPointF(18.5, 18), QPointF(26, 18));
    // The badge of a new thing.
    QPainterPath badge;
    badge.addEllipse(QPointF(32, 24), 6.5, 6.5);
    rimmedFill(p, badge, vertical(17, 31, kAccentLight, kAccentDark));
    p.setPen(roundPen(Qt::white, 2.0));
    p.drawLine(QPointF(32, 20.5), QPointF(32, 27.5));
    p.drawLine(QPointF(28.5, 24), QPointF(35.5, 24));
}

void iconOpen(QPainter& p) {
    QPainterPath back;
    back.moveTo(11, 7);
    back.lineTo(19, 7);
    back.lineTo(21.5, 9.5);
    back.lineTo(34, 9.5);
    back.lineTo(34, 27);
    back.lineTo(11, 27);
    back.closeSubpath();
    rimmedFill(p, back, vertical(7, 27, QColor(214, 142, 52), QColor(160, 96, 30)));
    // A sheet peeking out.
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(15, 11.5, 16, 8));
    QPainterPath front;
    front.moveTo(14.5, 14.5);
    front.lineTo(38, 14.5);
    front.lineTo(34, 27);
    front.lineTo(11, 27);
    front.closeSubpath();
    rimmedFill(p, front, vertical(14.5, 27, kAccentLight, kAccent));
}

void iconSave(QPainter& p) {
    QPainterPath body;
    body.moveTo(13, 4);
    body.lineTo(32, 4);
    body.lineTo(35, 7);
    body.lineTo(35, 28);
    body.lineTo(13, 28);
    body.closeSubpath();
    rimmedFill(p, body, vertical(4, 28, QColor(126, 148, 178), QColor(82, 101, 130)));
    // The shutter with its window.
    p.setPen(QPen(kRim, 1));
    p.setBrush(vertical(4, 12, QColor(212, 216, 222), QColor(168, 174, 184)));
    p.drawRect(QRectF(17.5, 4.5, 13, 7.5));
    p.setBrush(QColor(60, 64, 72));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(26, 5.5, 3, 5.5));
    // The label.
    p.setPen(QPen(kRim, 1));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(16.5, 16, 15, 10), 1, 1);
    p.setPen(QPen(kAccent, 1.4));
    p.drawLine(QPointF(18.5, 19.5), QPointF(29.5, 19.5));
    p.setPen(QPen(QColor(170, 175, 183), 1.2));
    p.drawLine(QPointF(18.5, 23), QPointF(27, 23));
}

void iconExport(QPainter& p) {
    // A film frame...
    QPainterPath film;
    film.addRoundedRect(QRectF(8, 6, 21, 20), 2, 2);
    rimmedFill(p, film, QColor(52, 55, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(kInkDim);
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(10.5 + i * 4.5, 7.5, 2.5, 2));
        p.drawRect(QRectF(10.5 + i * 4.5, 22.5, 2.5, 2));
    }
    p.setBrush(vertical(11, 21, QColor(122, 156, 196), QColor(82, 108, 140)));
    p.setPen(QPen(kRim, 1));
    p.drawRect(QRectF(10.5, 11, 16, 10));
    // ...and the arrow that carries it out.
    QPainterPath arrow;
    arrow.moveTo(20, 13.5);
    arrow.lineTo(31, 13.5);
    arrow.lineTo(31, 9);
    arrow.lineTo(40, 16);
    arrow.lineTo(31, 23);
    arrow.lineTo(31, 18.5);
    arrow.lineTo(20, 18.5);
    arrow.closeSubpath();
    rimmedFill(p, arrow, vertical(9, 23, kAccentLight, kAccentDark));
}

void iconAnimation(QPainter& p) {
    const QPointF c(24, 16);
    QPainterPath face;
    face.addEllipse(c, 11.5, 11.5);
    rimmedFill(p, face, vertical(4, 28, kPaper, QColor(200, 204, 211)), 1.5);
    // The time that has run, as a warm sector.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 170));
    p.drawPie(QRectF(c.x() - 9, c.y() - 9, 18, 18), 90 * 16, -130 * 16);
    p.setPen(QPen(QColor(70, 74, 80), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; ++i) {
        const qreal a = i * M_PI / 6;
        const qreal inner = (i % 3 == 0) ? 7.5 : 9.0;
        p.drawLine(QPointF(c.x() + std::sin(a) * inner, c.y() - std::cos(a) * inner),
                   QPointF(c.x() + std::sin(a) * 10.2, c.y() - std::cos(a) * 10.2));
    }
    p.setPen(roundPen(QColor(40, 42, 46), 2.2));
    p.drawLine(c, QPointF(24, 8.5));
    p.drawLine(c, QPointF(30, 19.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccentDark);
    p.drawEllipse(c, 1.8, 1.8);
}

void iconEmissionPosition(QPainter& p) {
    const QPointF c(24, 16);
    QPainterPath ring;
    ring.addEllipse(c, 8.5, 8.5);
    rimmedStroke(p, ring, kInk, 2.0);
    rimmedLine(p, QPointF(24, 3), QPointF(24, 10), kInk, 2.0);
    rimmedLine(p, QPointF(24, 22), QPointF(24, 29), kInk, 2.0);
    rimmedLine(p, QPointF(11, 16), QPointF(18, 16), kInk, 2.0);
    rimmedLine(p, QPointF(30, 16), QPointF(37, 16), kInk, 2.0);
    QPainterPath dot;
    dot.addEllipse(c, 3.2, 3.2);
    rimmedFill(p, dot, kAccent);
}

void iconSize(QPainter& p) {
    const qreal l = 11, t = 5, r = 37, b = 27, arm = 6;
    auto corner = [&](QPointF at, qreal dx, qreal dy) {
        QPainterPath path(QPointF(at.x() + dx * arm, at.y()));
        path.lineTo(at);
        path.lineTo(QPointF(at.x(), at.y() + dy * arm));
        rimmedStroke(p, path, kInk, 2.0);
    };
    corner({l, t}, 1, 1);
    corner({r, t}, -1, 1);
    corner({l, b}, 1, -1);
    corner({r, b}, -1, -1);
    // The double arrow along the diagonal.
    QPainterPath shaft(QPointF(18, 21.5));
    shaft.lineTo(QPointF(30, 10.5));
    rimmedStroke(p, shaft, kAccent, 2.0);
    auto head = [&](QPointF tip, QPointF back1, QPointF back2) {
        QPainterPath h(tip);
        h.lineTo(back1);
        h.lineTo(back2);
        h.closeSubpath();
        rimmedFill(p, h, kAccent, 1.0);
    };
    head({15.5, 24}, {16.5, 17.5}, {21.8, 22.8});
    head({32.5, 8}, {31.5, 14.5}, {26.2, 9.2});
}

void iconBackgroundColour(QPainter& p) {
    // A painter's palette with its thumb hole.
    QPainterPath board;
    board.moveTo(24, 4.5);
    board.cubicTo(33, 4.5, 38.5, 9.5, 38.5, 15.5);
    board.cubicTo(38.5, 21, 34, 22, 31, 21.5);
    board.cubicTo(28, 21, 27, 24, 28.5, 26);
    board.cubicTo(29.5, 28, 26, 28.5, 23, 28.5);
    board.cubicTo(14.5, 28.5, 9.5, 23, 9.5, 16.5);
    board.cubicTo(9.5, 9.5, 15.5, 4.5, 24, 4.5);
    board.closeSubpath();
    rimmedFill(p, board, vertical(4, 28, QColor(226, 204, 166), QColor(184, 154, 110)));
    const struct {
        QPointF at;
        QColor colour;
    } dots[] = {{{15.5, 13.5}, QColor(226, 86, 74)},
                {{21.5, 9.5}, QColor(246, 196, 62)},
                {{28.5, 9.5}, QColor(92, 182, 104)},
                {{33.5, 14.5}, QColor(80, 144, 226)},
                {{16.5, 21}, QColor(236, 236, 240)}};
    for (const auto& d : dots) {
        QPainterPath blob;
        blob.addEllipse(d.at, 2.8, 2.8);
        rimmedFill(p, blob, d.colour, 1.0);
    }
}

void paintLandscape(QPainter& p, const QRectF& frame, qreal sun, qreal rimWidth) {
    QPainterPath outline;
    outline.addRect(frame);
    rimmedFill(p, outline,
               vertical(frame.top(), frame.bottom(), QColor(112, 158, 212), QColor(176, 206, 236)),
               rimWidth);
    p.save();
    p.setClipRect(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccentLight);
    p.drawEllipse(QPointF(frame.right() - frame.width() * 0.25, frame.top() + frame.height() * 0.3),
                  sun, sun);
    QPainterPath hills;
    const qreal w = frame.width(), h = frame.height();
    hills.moveTo(frame.left(), frame.bottom());
    hills.lineTo(frame.left(), frame.top() + h * 0.75);
    hills.lineTo(frame.left() + w * 0.32, frame.top() + h * 0.38);
    hills.lineTo(frame.left() + w * 0.52, frame.top() + h * 0.62);
    hills.lineTo(frame.left() + w * 0.7, frame.top() + h * 0.45);
    hills.lineTo(frame.right(), frame.top() + h * 0.8);
    hills.lineTo(frame.right(), frame.bottom());
    hills.closeSubpath();
    p.setBrush(
        vertical(frame.top() + h * 0.4, frame.bottom(), QColor(96, 160, 104), QColor(52, 104, 64)));
    p.drawPath(hills);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, rimWidth));
    p.drawRect(frame);
}

void iconBackgroundPicture(QPainter& p) {
    QPainterPath mat;
    mat.addRoundedRect(QRectF(8.5, 4.5, 31, 23), 1.5, 1.5);
    rimmedFill(p, mat, kInk);
    paintLandscape(p, QRectF(11.5, 7.5, 25, 17), 2.6, 1.0);
}

void paintMagnifier(QPainter& p, bool plus) {
    const QPointF c(21, 14);
    // The handle first, so the lens rim lies over its end.
    rimmedLine(p, QPointF(27.5, 20.5), QPointF(35, 28), kAccent, 4.0);
    QPainterPath lens;
    lens.addEllipse(c, 8.5, 8.5);
    rimmedFill(p, lens, QColor(150, 190, 230, 90), 1.0);
    QPainterPath ring;
    ring.addEllipse(c, 8.5, 8.5);
    rimmedStroke(p, ring, kInk, 2.2);
    p.setPen(roundPen(kInk, 2.2));
    p.drawLine(QPointF(c.x() - 4, c.y()), QPointF(c.x() + 4, c.y()));
    if (plus) p.drawLine(QPointF(c.x(), c.y() - 4), QPointF(c.x(), c.y() + 4));
}

void iconZoomIn(QPainter& p) {
    paintMagnifier(p, true);
}
void iconZoomOut(QPainter& p) {
    paintMagnifier(p, false);
}

void paintDie(QPainter& p, QPointF centre, qreal side, qreal angle, const QColor& face,
              const std::vector<QPointF>& pips) {
    p.save();
    p.translate(centre);
    p.rotate(angle);
    QPainterPath body;
    body.addRoundedRect(QRectF(-side / 2, -side / 2, side, side), 3, 3);
    rimmedFill(p, body, vertical(-side / 2, side / 2, face, face.darker(118)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(44, 46, 52));
    for (const QPointF& pip : pips)
        p.drawEllipse(QPointF(pip.x() * side, pip.y() * side), 1.5, 1.5);
    p.restore();
}

void iconReseed(QPainter& p) {
    const qreal q = 0.26;
    paintDie(p, {18, 13}, 13, -14, QColor(200, 204, 211), {{-q, -q}, {0, 0}, {q, q}});
    paintDie(p, {28.5, 18.5}, 15, 10, kPaper, {{-q, -q}, {q, -q}, {0, 0}, {-q, q}, {q, q}});
    // A small warm spark: a new roll.
    QPainterPath spark;
    spark.moveTo(36, 4);
    spark.lineTo(37.2, 7.3);
    spark.lineTo(40.5, 8.5);
    spark.lineTo(37.2, 9.7);
    spark.lineTo(36, 13);
    spark.lineTo(34.8, 9.7);
    spark.lineTo(31.5, 8.5);
    spark.lineTo(34.8, 7.3);
    spark.closeSubpath();
    rimmedFill(p, spark, kAccentLight, 1.0);
}

void iconHelp(QPainter& p) {
    QPainterPath disc;
    disc.addEllipse(QPointF(24, 16), 11.5, 11.5);
    rimmedFill(p, disc, vertical(4, 28, kAccentLight, kAccentDark), 1.5);
    // The mark is drawn as a path, not as text, so that it does not depend on a font.
    QPainterPath hook;
    hook.moveTo(19.8, 12.6);
    hook.cubicTo(19.8, 9.8, 21.8, 8.3, 24.2, 8.3);
    hook.cubicTo(26.8, 8.3, 28.5, 10, 28.5, 12.2);
    hook.cubicTo(28.5, 14.6, 26.4, 15.4, 25.2, 16.4);
    hook.cubicTo(24.3, 17.2, 24.2, 18, 24.2, 19.4);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(QColor(120, 62, 12), 4.4));
    p.drawPath(hook);
    p.setPen(roundPen(Qt::white, 2.8));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 62, 12));
    p.drawEllipse(QPointF(24.2, 23.6), 2.3, 2.3);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(24.2, 23.6), 1.6, 1.6);
}

// --- small button faces, 26 × 20 cells ------------------------------------

void paintSmallFace(QPainter& p, bool pressed) {
    const QRectF r(0.5, 0.5, 25, 19);
    QLinearGradient g(0, 0, 0, 20);
    if (pressed) {
        g.setColorAt(0, QColor(30, 31, 34));
        g.setColorAt(1, QColor(46, 48, 52));
    } else {
        g.setColorAt(0, QColor(84, 88, 95));
        g.setColorAt(1, QColor(56, 59, 64));
    }
    p.setPen(QPen(QColor(20, 21, 23), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(pressed ? QColor(0, 0, 0, 90) : QColor(255, 255, 255, 46), 1));
    if (pressed) {
        p.drawLine(QPointF(2.5, 1.5), QPointF(23.5, 1.5));
    } else {
        p.drawLine(QPointF(3, 1.5), QPointF(23, 1.5));
    }
}

void faceAdd(QPainter& p) {
    rimmedLine(p, {13, 5}, {13, 15}, kAccent, 2.6);
    rimmedLine(p, {8, 10}, {18, 10}, kAccent, 2.6);
    p.setPen(roundPen(kAccent, 2.6));
    p.drawLine(QPointF(13, 5), QPointF(13, 15));
}

void faceAddChild(QPainter& p) {
    QPainterPath parent;
    parent.addRoundedRect(QRectF(4.5, 3.5, 7, 5), 1, 1);
    rimmedFill(p, parent, kInk, 1.0);
    QPainterPath link(QPointF(8, 8.5));
    link.lineTo(QPointF(8, 14));
    link.lineTo(QPointF(12, 14));
    rimmedStroke(p, link, kInkDim, 1.4);
    rimmedLine(p, {17.5, 10}, {17.5, 18}, kAccent, 2.2);
    rimmedLine(p, {13.5, 14}, {21.5, 14}, kAccent, 2.2);
    p.setPen(roundPen(kAccent, 2.2));
    p.drawLine(QPointF(17.5, 10), QPointF(17.5, 18));
}

void faceDuplicate(QPainter& p) {
    QPainterPath back;
    back.addRoundedRect(QRectF(6.5, 3.5, 9, 9), 1.5, 1.5);
    rimmedFill(p, back, QColor(120, 126, 136), 1.0);
    QPainterPath front;
    front.addRoundedRect(QRectF(10.5, 7.5, 9, 9), 1.5, 1.5);
    rimmedFill(p, front, kInk, 1.0);
    p.setPen(QPen(kAccent, 1.4));
    p.drawLine(QPointF(12.5, 10.5), QPointF(17.5, 10.5));
    p.drawLine(QPointF(12.5, 13.5), QPointF(16, 13.5));
}

void faceDelete(QPainter& p) {
    rimmedLine(p, {9, 6}, {17, 14}, kDanger, 2.6);
    rimmedLine(p, {17, 6}, {9, 14}, kDanger, 2.6);
    p.setPen(roundPen(kDanger, 2.6));
    p.drawLine(QPointF(9, 6), QPointF(17, 14));
}

void verticalArrow(QPainter& p, bool down) {
    const qreal tip = down ? 16 : 4, base = down ? 10 : 10, tail = down ? 4 : 16;
    rimmedLine(p, {13, tail}, {13, base}, kInk, 2.4);
    QPainterPath head(QPointF(13, tip));
    head.lineTo(QPointF(8, base));
    head.lineTo(QPointF(18, base));
    head.closeSubpath();
    rimmedFill(p, head, kInk, 1.0);
}

void faceMoveDown(QPainter& p) {
    verticalArrow(p, true);
}
void faceMoveUp(QPainter& p) {
    verticalArrow(p, false);
}

// Indent and outdent: lines of text with a warm triangle pointing in or out.
void indentFace(QPainter& p, bool in) {
    for (qreal y : {5.5, 10.0, 14.5}) rimmedLine(p, {13, y}, {20.5, y}, kInk, 1.6);
    QPainterPath triangle;
    if (in) {
        triangle.moveTo(5, 6);
        triangle.lineTo(10.5, 10);
        triangle.lineTo(5, 14);
    } else {
        triangle.moveTo(10.5, 6);
        triangle.lineTo(5, 10);
        triangle.lineTo(10.5, 14);
    }
    triangle.closeSubpath();
    rimmedFill(p, triangle, kAccent, 1.0);
}

void faceLevelDown(QPainter& p) {
    indentFace(p, true);
}
void faceLevelUp(QPainter& p) {
    indentFace(p, false);
}

void pictureBadge(QPainter& p, bool add) {
    paintLandscape(p, QRectF(4.5, 4.5, 11, 9), 1.3, 1.0);
    QPainterPath disc;
    disc.addEllipse(QPointF(18.5, 13), 4.8, 4.8);
    rimmedFill(p, disc, add ? kAccent : kDanger, 1.0);
    p.setPen(roundPen(Qt::white, 1.8));
    p.drawLine(QPointF(16, 13), QPointF(21, 13));
    if (add) p.drawLine(QPointF(18.5, 10.5), QPointF(18.5, 15.5));
}

void faceMaterialAdd(QPainter& p) {
    pictureBadge(p, true);
}
void faceMaterialRemove(QPainter& p) {
    pictureBadge(p, false);
}

using Icon = void (*)(QPainter&);

// A row of released cells above a row of pressed ones.
QImage cellStrip(const std::vector<Icon>& icons, int cellWidth, int cellHeight, qreal ratio,
                 const std::function<void(QPainter&, const QRectF&, bool)>& face) {
    QImage image = canvas(cellWidth * static_cast<int>(icons.size()), cellHeight * 2, ratio);
    QPainter p(&image);
    prepare(p);
    for (std::size_t i = 0; i < icons.size(); ++i) {
        for (int pressed = 0; pressed < 2; ++pressed) {
            const QRectF cell(static_cast<qreal>(i) * cellWidth, pressed * cellHeight, cellWidth,
                              cellHeight);
            p.save();
            p.setClipRect(cell);
            face(p, cell, pressed != 0);
            // Pressed icons sink by a pixel and lose a little light.
            p.translate(cell.topLeft() + (pressed ? QPointF(1, 1) : QPointF(0, 0)));
            if (pressed) p.setOpacity(0.88);
            icons[i](p);
            p.restore();
        }
    }
    return image;
}

void paintSmallFaceAt(QPainter& p, const QRectF& cell, bool pressed) {
    p.save();
    p.translate(cell.topLeft());
    paintSmallFace(p, pressed);
    p.restore();
}

// The flame of the window icon, in a 64 × 64 design square.
void paintFlame(QPainter& p) {
    QPainterPath plate;
    plate.addRoundedRect(QRectF(2, 2, 60, 60), 13, 13);
    p.setPen(QPen(QColor(16, 17, 19), 2));
    p.setBrush(vertical(2, 62, QColor(64, 67, 74), QColor(30, 31, 35)));
    p.drawPath(plate);

    QRadialGradient glow(QPointF(32, 40), 28);
    glow.setColorAt(0, QColor(255, 170, 60, 120));
    glow.setColorAt(1, QColor(255, 170, 60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(32, 40), 28, 28);

    QPainterPath outer;
    outer.moveTo(32, 8);
    outer.cubicTo(36, 20, 48, 26, 47, 40);
    outer.cubicTo(46.5, 50, 40, 56, 32, 56);
    outer.cubicTo(24, 56, 17.5, 50, 17, 41);
    outer.cubicTo(16.5, 33, 22, 28, 24, 22);
    outer.cubicTo(26, 27, 27, 30, 29, 31);
    outer.cubicTo(29, 22, 31, 15, 32, 8);
    outer.closeSubpath();
    QLinearGradient fire(0, 8, 0, 56);
    fire.setColorAt(0, QColor(255, 120, 40));
    fire.setColorAt(0.6, kAccent);
    fire.setColorAt(1, QColor(255, 196, 90));
    p.setPen(QPen(QColor(120, 46, 10), 1.5));
    p.setBrush(fire);
    p.drawPath(outer);

    QPainterPath inner;
    inner.moveTo(32.5, 28);
    inner.cubicTo(35, 36, 41, 39, 40, 46);
    inner.cubicTo(39.5, 51, 36, 54, 32, 54);
    inner.cubicTo(28, 54, 24.5, 51, 24.5, 46.5);
    inner.cubicTo(24.5, 41, 29, 38, 32.5, 28);
    inner.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(28, 54, QColor(255, 236, 160), QColor(255, 250, 225)));
    p.drawPath(inner);

    // Sparks flying off.
    p.setBrush(kAccentLight);
    p.drawEllipse(QPointF(48, 14), 2.6, 2.6);
    p.drawEllipse(QPointF(15, 18), 1.9, 1.9);
    p.drawEllipse(QPointF(53, 27), 1.5, 1.5);
}

}  // namespace

QImage toolbarButtons(qreal ratio) {
    const std::vector<Icon> icons = {iconNew,
                                     iconOpen,
                                     iconSave,
                                     iconExport,
                                     iconAnimation,
                                     iconEmissionPosition,
                                     iconSize,
                                     iconBackgroundColour,
                                     iconBackgroundPicture,
                                     iconZoomIn,
                                     iconZoomOut,
                                     iconReseed,
                                     iconHelp};
    return cellStrip(icons, 48, 32, ratio, [](QPainter& p, const QRectF& cell, bool pressed) {
        paintToolbarSurface(p, QRectF(cell.left(), cell.top(), cell.width(), cell.height()));
        if (pressed) paintPressedWell(p, cell);
    });
}

QImage toolbarStrip(qreal ratio) {
    QImage image = canvas(10, 26, ratio);
    QPainter p(&image);
    prepare(p);
    paintToolbarSurface(p, QRectF(0, 0, 10, 26));
    return image;
}

QImage panelTitleStrip(qreal ratio) {
    QImage image = canvas(256, 16, ratio);
    QPainter p(&image);
    prepare(p);
    QLinearGradient g(0, 0, 0, 16);
    g.setColorAt(0, QColor(86, 90, 98));
    g.setColorAt(0.5, QColor(64, 67, 73));
    g.setColorAt(1, QColor(48, 50, 55));
    p.fillRect(QRectF(0, 0, 256, 16), g);
    p.fillRect(QRectF(0, 0, 256, 1), QColor(255, 255, 255, 40));
    // A warm line under the caption, brightest in the middle where the text sits.
    QLinearGradient line(0, 0, 220, 0);
    line.setColorAt(0, QColor(kAccentDark.red(), kAccentDark.green(), kAccentDark.blue(), 60));
    line.setColorAt(0.5, kAccent);
    line.setColorAt(1, QColor(kAccentDark.red(), kAccentDark.green(), kAccentDark.blue(), 60));
    p.fillRect(QRectF(0, 15, 256, 1), line);
    return image;
}

QImage panelBackground(qreal ratio) {
    QImage image = canvas(256, 256, ratio);
    QPainter p(&image);
    prepare(p);
    QLinearGradient g(0, 0, 0, 256);
    g.setColorAt(0, QColor(50, 52, 57));
    g.setColorAt(1, QColor(36, 37, 41));
    p.fillRect(QRectF(0, 0, 256, 256), g);
    return image;
}

QImage parameterTabs(qreal ratio) {
    QImage image = canvas(30, 200, ratio);
    QPainter p(&image);
    prepare(p);
    for (int current = 0; current < 2; ++current) {
        const qreal top = current * 100;
        // A tab with its rounded edge outwards, on the right; the shown page's
        // tab is the warm one.
        QPainterPath tab;
        tab.moveTo(0, top + 1);
        tab.lineTo(24, top + 1);
        tab.quadTo(29.5, top + 1, 29.5, top + 7);
        tab.lineTo(29.5, top + 93);
        tab.quadTo(29.5, top + 99, 24, top + 99);
        tab.lineTo(0, top + 99);
        tab.closeSubpath();
        QLinearGradient g(0, 0, 30, 0);
        if (current) {
            g.setColorAt(0, kAccent);
            g.setColorAt(0.35, kAccentLight);
            g.setColorAt(1, QColor(252, 220, 160));
        } else {
            g.setColorAt(0, QColor(128, 132, 140));
            g.setColorAt(0.35, QColor(170, 174, 181));
            g.setColorAt(1, QColor(150, 154, 161));
        }
        p.setPen(QPen(kRim, 1));
        p.setBrush(g);
        p.drawPath(tab);
        p.setPen(QPen(QColor(255, 255, 255, current ? 110 : 70), 1));
        p.drawLine(QPointF(1.5, top + 2.5), QPointF(23, top + 2.5));
    }
    return image;
}

QImage helpBarStrip(qreal ratio) {
    QImage image = canvas(16, 26, ratio);
    QPainter p(&image);
    prepare(p);
    QLinearGradient g(0, 0, 0, 26);
    g.setColorAt(0.0, QColor(58, 61, 66));
    g.setColorAt(1.0, QColor(34, 35, 39));
    p.fillRect(QRectF(0, 0, 16, 26), g);
    p.fillRect(QRectF(0, 0, 16, 1), QColor(22, 23, 26));
    p.fillRect(QRectF(0, 1, 16, 1), QColor(255, 255, 255, 30));
    return image;
}

QImage nodeButtonFaces(qreal ratio) {
    const std::vector<Icon> icons = {faceAdd,      faceAddChild, faceDuplicate, faceDelete,
                                     faceMoveDown, faceMoveUp,   faceLevelDown, faceLevelUp};
    // 234 wide: eight cells and the unused rest of the ninth.
    QImage strip = cellStrip(icons, 26, 20, ratio, paintSmallFaceAt);
    QImage image = canvas(234, 40, ratio);
    QPainter p(&image);
    p.drawImage(QPointF(0, 0), strip);
    return image;
}

QImage materialButtonFaces(qreal ratio) {
    return cellStrip({faceMaterialAdd, faceMaterialRemove}, 26, 20, ratio, paintSmallFaceAt);
}

QImage materialRowBackground(qreal ratio) {
    QImage image = canvas(220, 96, ratio);
    QPainter p(&image);
    prepare(p);
    for (int selected = 0; selected < 2; ++selected) {
        const qreal top = selected * 48;
        QLinearGradient g(0, top, 0, top + 48);
        if (selected) {
            g.setColorAt(0, QColor(104, 78, 46));
            g.setColorAt(1, QColor(80, 58, 34));
        } else {
            g.setColorAt(0, QColor(74, 76, 81));
            g.setColorAt(1, QColor(62, 64, 68));
        }
        p.fillRect(QRectF(0, top, 220, 48), g);
        p.fillRect(QRectF(0, top, 220, 1), QColor(255, 255, 255, selected ? 40 : 22));
        p.fillRect(QRectF(0, top + 47, 220, 1), QColor(26, 27, 30));
        if (selected) p.fillRect(QRectF(0, top, 3, 47), kAccent);
        // The thumbnail's well: a dark checkerboard, so that light and
        // transparent pictures both show.
        const QRectF well(4, top + 4, 40, 40);
        p.fillRect(well, QColor(20, 21, 23));
        const QRectF inner = well.adjusted(1, 1, -1, -1);
        p.save();
        p.setClipRect(inner);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                p.fillRect(QRectF(inner.left() + x * 5, inner.top() + y * 5, 5, 5),
                           ((x + y) % 2) ? QColor(48, 50, 54) : QColor(36, 38, 41));
        p.restore();
        if (selected) {
            p.setPen(QPen(kAccent, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(well.adjusted(-0.5, -0.5, 0.5, 0.5));
        }
    }
    return image;
}

QIcon windowIcon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image = canvas(side, side, 1.0);
        QPainter p(&image);
        prepare(p);
        p.scale(side / 64.0, side / 64.0);
        paintFlame(p);
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace sp::artwork
