#include "tools/tilesheet/sheet_builder.h"

#include "exchange/render_exchange.h"
#include "tools/common/tool_main.h"

#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <algorithm>
#include <cstring>

namespace sp::tools {
namespace {

// The largest sheet side every writer handles (JPEG's limit).
constexpr qint64 kMaxSheetSide = exchange::kMaxSheetSide;

QJsonObject rect(int x, int y, int w, int h) {
    return {{QStringLiteral("x"), x},
            {QStringLiteral("y"), y},
            {QStringLiteral("w"), w},
            {QStringLiteral("h"), h}};
}

QJsonObject size(int w, int h) {
    return {{QStringLiteral("w"), w}, {QStringLiteral("h"), h}};
}

}  // namespace

int SheetBuilder::sheetCount() const {
    return exchange::sheetCount(m_job.frameCount(), m_job.columns, m_job.rows);
}

QString SheetBuilder::sheetStem(int sheet) const {
    return QString::fromStdString(
        exchange::sheetStem(m_job.resultName.toStdString(), sheet, sheetCount()));
}

QStringList SheetBuilder::run() {
    const qint64 sheetWidth = qint64(m_job.columns) * m_job.canvas.width();
    const qint64 sheetHeight = qint64(m_job.rows) * m_job.canvas.height();
    if (sheetWidth > kMaxSheetSide || sheetHeight > kMaxSheetSide)
        throw Failure(QStringLiteral("シートが大きすぎます (%1×%2 ピクセル)。")
                          .arg(sheetWidth)
                          .arg(sheetHeight));
    checkFrames(m_job);

    const bool alpha = m_job.formatHasAlpha();
    const QImage::Format format = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const qsizetype rowBytes = qsizetype(m_job.canvas.width()) * 4;
    QStringList written;
    for (int sheet = 0; sheet < sheetCount(); ++sheet) {
        QImage image(int(sheetWidth), int(sheetHeight), format);
        if (image.isNull())
            throw Failure(QStringLiteral("シートの画像を作るためのメモリが足りません。"));
        image.fill(alpha ? Qt::transparent : Qt::black);

        const int first = sheet * cellsPerSheet();
        const int last = std::min(first + cellsPerSheet(), m_job.frameCount()) - 1;
        for (int index = first; index <= last; ++index) {
            stopIfInterrupted();
            const QImage frame = loadFrame(m_job, index).convertToFormat(format);
            const int cell = index - first;
            const int left = (cell % m_job.columns) * m_job.canvas.width();
            const int top = (cell / m_job.columns) * m_job.canvas.height();
            for (int y = 0; y < m_job.canvas.height(); ++y)
                std::memcpy(image.scanLine(top + y) + qsizetype(left) * 4, frame.constScanLine(y),
                            size_t(rowBytes));
        }

        const QString path = sheetStem(sheet) + m_job.extension;
        saveImage(image, path, m_job.imageFormat());
        written << path;
        const QString atlasPath = sheetStem(sheet) + QString::fromUtf8(exchange::kAtlasExtension);
        const QString imageName = QFileInfo(path).fileName();
        saveBytes(QJsonDocument(atlas(sheet, imageName)).toJson(QJsonDocument::Indented),
                  atlasPath);
        written << atlasPath;
    }
    return written;
}

QJsonObject SheetBuilder::atlas(int sheet, const QString& imageName) const {
    const int w = m_job.canvas.width();
    const int h = m_job.canvas.height();
    const QString baseName = QFileInfo(m_job.resultName).fileName();
    // Atlas durations are whole milliseconds.
    const int duration = qRound(1000.0 / m_job.fps);
    QJsonObject frames;
    const int first = sheet * cellsPerSheet();
    const int last = std::min(first + cellsPerSheet(), m_job.frameCount()) - 1;
    for (int index = first; index <= last; ++index) {
        const int cell = index - first;
        frames.insert(QStringLiteral("%1_%2").arg(baseName).arg(index, 4, 10, QLatin1Char('0')),
                      QJsonObject{{QStringLiteral("frame"), rect((cell % m_job.columns) * w,
                                                                 (cell / m_job.columns) * h, w, h)},
                                  {QStringLiteral("rotated"), false},
                                  {QStringLiteral("trimmed"), false},
                                  {QStringLiteral("spriteSourceSize"), rect(0, 0, w, h)},
                                  {QStringLiteral("sourceSize"), size(w, h)},
                                  {QStringLiteral("duration"), duration}});
    }
    const QJsonObject meta{{QStringLiteral("app"), QStringLiteral("Sparkplume")},
                           {QStringLiteral("image"), imageName},
                           {QStringLiteral("size"), size(m_job.columns * w, m_job.rows * h)},
                           {QStringLiteral("format"), QStringLiteral("RGBA8888")},
                           {QStringLiteral("scale"), QStringLiteral("1")}};
    return {{QStringLiteral("frames"), frames}, {QStringLiteral("meta"), meta}};
}

}  // namespace sp::tools
