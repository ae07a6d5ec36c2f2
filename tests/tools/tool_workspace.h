#pragma once

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sp::testing {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// A throw-away workspace with a RENDER folder, in which the RENDER programs are run as the
// editor runs them: no arguments, the workspace as the working directory.
class ToolWorkspace {
  public:
    ToolWorkspace() { QDir(m_dir.path()).mkpath(QStringLiteral("RENDER")); }

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    QString renderPath(const QString& name) const {
        return m_dir.filePath(QStringLiteral("RENDER/") + name);
    }

    // The render.ini text the editor writes, in its key order; `sheet` adds x, y, sep.
    static QByteArray iniText(int end, int fps, const QString& ext, QSize canvas,
                              const QString& result, const QString& sheet = {}) {
        QString text =
            QStringLiteral(
                "[info]\nend=%1\nfps=%2\next=%3\n[size]\nwidth=%4\nheight=%5\n[result]\nname=%6\n")
                .arg(end)
                .arg(fps)
                .arg(ext)
                .arg(canvas.width())
                .arg(canvas.height())
                .arg(result);
        if (!sheet.isEmpty()) text += QStringLiteral("[info]\n") + sheet;
        return text.toUtf8();
    }

    void writeIni(const QByteArray& text) const {
        QFile file(renderPath(QStringLiteral("render.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    void writeFrame(int index, const QImage& image, const QString& ext) const {
        const QString path = renderPath(frameName(index, ext));
        if (ext == QLatin1String(".bmp") && image.hasAlphaChannel()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bmpWithAlpha(image));
            return;
        }
        ASSERT_TRUE(image.save(path, nullptr, 100));
    }

    // Qt writes BMPs without alpha; frames with alpha get a 32-bit BMP with a version 4
    // header and an alpha mask, written here.
    static QByteArray bmpWithAlpha(const QImage& picture) {
        const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
        QByteArray out;
        const auto put = [&out](quint32 value, int bytes) {
            for (int i = 0; i < bytes; ++i) out.append(char((value >> (8 * i)) & 0xFF));
        };
        const quint32 pixels = quint32(image.width() * image.height() * 4);
        out.append("BM", 2);
        put(14 + 108 + pixels, 4);
        put(0, 4);
        put(14 + 108, 4);
        put(108, 4);
        put(quint32(image.width()), 4);
        put(quint32(image.height()), 4);  // rows bottom-up
        put(1, 2);
        put(32, 2);
        put(3, 4);
        put(pixels, 4);
        put(0, 4);
        put(0, 4);
        put(0, 4);
        put(0, 4);
        for (quint32 mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) put(mask, 4);
        put(0x73524742, 4);
        out.append(QByteArray(48, '\0'));
        for (int y = image.height() - 1; y >= 0; --y)
            for (int x = 0; x < image.width(); ++x) put(image.pixel(x, y), 4);
        return out;
    }

    static QString frameName(int index, const QString& ext) {
        return QStringLiteral("%1%2").arg(index, 4, 10, QLatin1Char('0')).arg(ext);
    }

    QStringList renderFiles() const {
        return QDir(filePath(QStringLiteral("RENDER")))
            .entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    ToolRun run(const QString& program, const QStringList& args = {}) const {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(program, args);
        ToolRun run;
        if (!process.waitForStarted(10000) || !process.waitForFinished(60000)) return run;
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

  private:
    QTemporaryDir m_dir;
};

// The colour of frame `index`: distinct per frame, half-transparent for the formats with alpha.
inline QColor frameColour(int index, bool alpha = true) {
    return QColor(30 + 40 * index % 200, 220 - 25 * index % 200, 60 + 70 * index % 190,
                  alpha ? 120 + 10 * index : 255);
}

// What a frame mark sits on, and what lies outside the canvas of an uncut frame.
inline const QColor kMarkColour(255, 255, 255, 255);
inline const QColor kOutsideColour(255, 0, 255, 255);

// A power-of-two frame as the export renders it: the canvas in the top-left filled with
// `colour`, its bottom-right pixel marked, and the rest of the frame a colour that must
// never reach a result.
inline QImage exportedFrame(QSize frame, QSize canvas, const QColor& colour) {
    QImage image(frame, QImage::Format_ARGB32);
    image.fill(kOutsideColour);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) image.setPixelColor(x, y, colour);
    image.setPixelColor(canvas.width() - 1, canvas.height() - 1, kMarkColour);
    return image;
}

// Colours after a lossy round trip are compared channel by channel within a tolerance.
inline ::testing::AssertionResult coloursNear(const QColor& actual, const QColor& expected,
                                              int tolerance) {
    const int diffs[] = {actual.red() - expected.red(), actual.green() - expected.green(),
                         actual.blue() - expected.blue(), actual.alpha() - expected.alpha()};
    for (int d : diffs)
        if (d > tolerance || d < -tolerance)
            return ::testing::AssertionFailure()
                   << "got " << actual.name(QColor::HexArgb).toStdString() << ", expected "
                   << expected.name(QColor::HexArgb).toStdString();
    return ::testing::AssertionSuccess();
}

}  // namespace sp::testing
