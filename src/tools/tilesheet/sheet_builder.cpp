#include "tools/tilesheet/sheet_builder.h"

#include "exchange/render_exchange.h"
#include "tools/common/tool_main.h"
#include "tools/tilesheet/atlas_json.h"
#include "tools/tilesheet/sheet_pixels.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <algorithm>

namespace sp::tools {
namespace {

// The largest sheet side every writer handles (JPEG's limit).
constexpr qint64 kMaxSheetSide = exchange::kMaxSheetSide;

// An export without the sheet options: the user's grid as it is, refused when
// it is larger than a sheet can be.
exchange::SheetOptions plainGrid() {
    exchange::SheetOptions o;
    o.maxSize = static_cast<int>(kMaxSheetSide);
    return o;
}

}  // namespace

QString SheetBuilder::sheetStem(int sheet, int sheets) const {
    return QString::fromStdString(
        exchange::sheetStem(m_job.resultName.toStdString(), sheet, sheets));
}

SheetPlan SheetBuilder::plan() const {
    const exchange::SheetOptions options = m_job.sheet.value_or(plainGrid());
    const QSize canvas = m_job.canvas;
    std::vector<QRect> visible(static_cast<std::size_t>(m_job.frameCount()),
                               QRect(QPoint(0, 0), canvas));
    if (options.trim != exchange::Trim::None) {
        for (int i = 0; i < m_job.frameCount(); ++i) {
            stopIfInterrupted();
            visible[static_cast<std::size_t>(i)] = visibleBounds(loadFrame(m_job, i), canvas);
        }
    }
    const std::vector<QRect> sources = trimmedSources(options.trim, canvas, visible);
    if (options.trim == exchange::Trim::Each) return packedPlan(sources, canvas, options);
    return gridPlan(sources, canvas, m_job.columns, m_job.rows, options);
}

QStringList SheetBuilder::run() {
    if (!m_job.sheet) {
        const qint64 sheetWidth = qint64(m_job.columns) * m_job.canvas.width();
        const qint64 sheetHeight = qint64(m_job.rows) * m_job.canvas.height();
        if (sheetWidth > kMaxSheetSide || sheetHeight > kMaxSheetSide)
            throw Failure(QStringLiteral("シートが大きすぎます (%1×%2 ピクセル)。")
                              .arg(sheetWidth)
                              .arg(sheetHeight));
    } else if (!exchange::frameFitsSheet(m_job.canvas.width(), m_job.canvas.height(),
                                         *m_job.sheet) &&
               m_job.sheet->trim == exchange::Trim::None) {
        throw Failure(QStringLiteral("最大サイズ %1 にフレームが収まりません。")
                          .arg(exchange::usableSheetSide(*m_job.sheet)));
    }
    checkFrames(m_job);

    const SheetPlan sheets = plan();
    for (const FramePlace& place : sheets.frames)
        if (place.sheet < 0)
            throw Failure(QStringLiteral("最大サイズ %1 にフレームが収まりません。")
                              .arg(exchange::usableSheetSide(*m_job.sheet)));
    QStringList written;
    try {
        writeSheets(sheets, written);
    } catch (...) {
        // A set with a sheet missing is no result: the sheets already written go too,
        // so that none of them passes for a complete export.
        for (const QString& path : written) QFile::remove(path);
        throw;
    }
    return written;
}

void SheetBuilder::writeSheets(const SheetPlan& sheets, QStringList& written) const {
    const int sheetCount = static_cast<int>(sheets.sheets.size());
    const bool alpha = m_job.formatHasAlpha();
    const bool premultiply =
        alpha && m_job.sheet && m_job.sheet->alpha == exchange::AlphaMode::Premultiplied;
    const int extrude = m_job.sheet ? m_job.sheet->extrude : 0;
    const QImage::Format format = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QString baseName = QFileInfo(m_job.resultName).fileName();
    const QString atlasExtension = QString::fromUtf8(exchange::kAtlasExtension);

    for (int sheet = 0; sheet < sheetCount; ++sheet) {
        const QSize sheetSize = sheets.sheets[static_cast<std::size_t>(sheet)];
        QImage image(sheetSize, format);
        if (image.isNull())
            throw Failure(QStringLiteral("シートの画像を作るためのメモリが足りません。"));
        image.fill(alpha ? Qt::transparent : Qt::black);

        AtlasSheet atlas;
        for (int index = 0; index < m_job.frameCount(); ++index) {
            const FramePlace& place = sheets.frames[static_cast<std::size_t>(index)];
            if (place.sheet != sheet) continue;
            stopIfInterrupted();
            const QImage frame = loadFrame(m_job, index).convertToFormat(format);
            drawCell(image, place.at, frame, place.source, extrude, premultiply);
            atlas.frames.push_back(index);
        }

        const QString path = sheetStem(sheet, sheetCount) + m_job.extension;
        saveImage(image, path, m_job.imageFormat());
        written << path;
        atlas.baseName = baseName;
        atlas.imageName = QFileInfo(path).fileName();
        atlas.size = sheetSize;
        atlas.canvas = m_job.canvas;
        // Atlas durations are whole milliseconds.
        atlas.duration = qRound(1000.0 / m_job.fps);
        atlas.alpha = alpha;
        atlas.places = &sheets.frames;
        if (m_job.sheet) {
            atlas.options = &*m_job.sheet;
            for (int other = 0; other < sheetCount; ++other)
                if (other != sheet)
                    atlas.otherAtlases
                        << QFileInfo(sheetStem(other, sheetCount) + atlasExtension).fileName();
        }
        const QString atlasPath = sheetStem(sheet, sheetCount) + atlasExtension;
        saveBytes(QJsonDocument(atlasJson(atlas)).toJson(QJsonDocument::Indented), atlasPath);
        written << atlasPath;
    }
    if (m_job.sheet) {
        // The export learns from this list how many sheets there are.
        saveBytes((written.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(),
                  m_job.renderDir.filePath(QString::fromUtf8(exchange::kMadeListFile)));
    }
}

}  // namespace sp::tools
