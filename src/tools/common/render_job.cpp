#include "tools/common/render_job.h"

#include "picture/bmp_writer.h"
#include "picture/png_encoder.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <utility>

#include "exchange/render_exchange.h"
#include "tools/common/ini_reader.h"
#include "tools/common/job_options.h"

namespace sp::tools {
namespace {

// Limits that keep every later size computation far from overflow.
constexpr int kMaxFrameNumber = 999999;
// Every rate the main program accepts: the movie's time base and the atlas's
// durations take any positive rate.
constexpr int kMaxFps = 2147483647;
constexpr int kMaxCanvasSide = 16384;
constexpr int kMaxGridSide = 10000;

QString key(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

class IniValues {
  public:
    explicit IniValues(IniReader reader) : m_reader(std::move(reader)) {}

    QString text(const QString& section, const QString& key) const {
        const auto value = m_reader.value(section, key);
        if (!value || value->isEmpty())
            throw Failure(
                QStringLiteral("render.ini に [%1] の %2 がありません。").arg(section, key));
        return *value;
    }

    int number(const QString& section, const QString& key, int min, int max) const {
        const QString value = text(section, key);
        bool ok = false;
        const qlonglong n = value.toLongLong(&ok, 10);
        if (!ok || n < min || n > max)
            throw Failure(QStringLiteral("render.ini の [%1] %2 の値「%3」が正しくありません。")
                              .arg(section, key, value));
        return static_cast<int>(n);
    }

    const IniReader& reader() const { return m_reader; }

  private:
    IniReader m_reader;
};

}  // namespace

QString RenderJob::frameFileName(int index) const {
    return QString::fromStdString(exchange::frameFileName(index, extension.toStdString()));
}

QString RenderJob::framePath(int index) const {
    return renderDir.filePath(frameFileName(index));
}

QByteArray RenderJob::imageFormat() const {
    const QString ext = extension.toLower();
    if (ext == QLatin1String(".png")) return "png";
    if (ext == QLatin1String(".bmp")) return "bmp";
    return "jpeg";
}

bool RenderJob::formatHasAlpha() const {
    return imageFormat() != "jpeg";
}

RenderJob readRenderJob(const QDir& workspace, JobKeys keys) {
    RenderJob job;
    job.renderDir = QDir(workspace.filePath(key(exchange::kRenderFolder)));
    QFile file(job.renderDir.filePath(key(exchange::kSettingsFile)));
    if (!file.exists()) throw Failure(QStringLiteral("RENDER/render.ini が見つかりません。"));
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("RENDER/render.ini を読み込めません。"));
    const IniValues ini(IniReader::parse(file.readAll()));

    job.lastFrame =
        ini.number(key(exchange::kInfoSection), key(exchange::kLastFrameKey), 0, kMaxFrameNumber);
    job.fps = ini.number(key(exchange::kInfoSection), key(exchange::kFpsKey), 1, kMaxFps);
    job.extension = ini.text(key(exchange::kInfoSection), key(exchange::kExtensionKey));
    const QString ext = job.extension.toLower();
    if (ext != QLatin1String(".png") && ext != QLatin1String(".bmp") &&
        ext != QLatin1String(".jpg") && ext != QLatin1String(".jpeg"))
        throw Failure(QStringLiteral("render.ini の [info] ext「%1」は対応していない形式です。")
                          .arg(job.extension));
    job.canvas.setWidth(
        ini.number(key(exchange::kSizeSection), key(exchange::kWidthKey), 1, kMaxCanvasSide));
    job.canvas.setHeight(
        ini.number(key(exchange::kSizeSection), key(exchange::kHeightKey), 1, kMaxCanvasSide));
    job.resultName = ini.text(key(exchange::kResultSection), key(exchange::kResultNameKey));
    if (keys == JobKeys::FramesAndSheetGrid) {
        job.columns =
            ini.number(key(exchange::kInfoSection), key(exchange::kColumnsKey), 1, kMaxGridSide);
        job.rows =
            ini.number(key(exchange::kInfoSection), key(exchange::kRowsKey), 1, kMaxGridSide);
        job.division = ini.number(key(exchange::kInfoSection), key(exchange::kDivisionKey), 1,
                                  kMaxFrameNumber + 1);
    }
    readJobOptions(ini.reader(), job);
    return job;
}

void checkFrames(const RenderJob& job) {
    for (int i = 0; i < job.frameCount(); ++i) {
        const QString path = job.framePath(i);
        if (!QFileInfo::exists(path))
            throw Failure(QStringLiteral("フレーム「RENDER/%1」が見つかりません。")
                              .arg(job.frameFileName(i)));
        QImageReader reader(path);
        const QSize size = reader.size();
        if (!reader.canRead() || !size.isValid())
            throw Failure(QStringLiteral("フレーム「RENDER/%1」を読み込めません。")
                              .arg(job.frameFileName(i)));
        if (size.width() < job.canvas.width() || size.height() < job.canvas.height())
            throw Failure(
                QStringLiteral("フレーム「RENDER/%1」(%2×%3) が出力サイズ %4×%5 より小さいです。")
                    .arg(job.frameFileName(i))
                    .arg(size.width())
                    .arg(size.height())
                    .arg(job.canvas.width())
                    .arg(job.canvas.height()));
    }
}

QImage loadFrame(const RenderJob& job, int index) {
    QImageReader reader(job.framePath(index));
    QImage frame = reader.read();
    if (frame.isNull())
        throw Failure(QStringLiteral("フレーム「RENDER/%1」を読み込めません。")
                          .arg(job.frameFileName(index)));
    if (frame.width() < job.canvas.width() || frame.height() < job.canvas.height())
        throw Failure(QStringLiteral("フレーム「RENDER/%1」が出力サイズより小さいです。")
                          .arg(job.frameFileName(index)));
    return frame;
}

void saveImage(const QImage& image, const QString& path, const QByteArray& format) {
    if (format == "bmp" && image.hasAlphaChannel()) {
        saveBytes(encodeBmpWithAlpha(image), path);
        return;
    }
    if (format == "png") {
        const QByteArray bytes = encodePng(image, kKeptPng);
        if (bytes.isEmpty())
            throw Failure(QStringLiteral("「%1」を書き込めません。").arg(shown(path)));
        saveBytes(bytes, path);
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Failure(QStringLiteral("「%1」を書き込めません。").arg(shown(path)));
    QImageWriter writer(&file, format);
    if (format == "jpeg") writer.setQuality(kJpegQuality);
    if (!writer.write(image) || !file.commit())
        throw Failure(QStringLiteral("「%1」を書き込めません。").arg(shown(path)));
}

void saveBytes(const QByteArray& bytes, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit())
        throw Failure(QStringLiteral("「%1」を書き込めません。").arg(shown(path)));
}

}  // namespace sp::tools
