#include "render/texture.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <cstring>
#include <new>

#include "picture/bmp_writer.h"
#include "picture/png_encoder.h"

namespace sp::render {

Texture::Texture(int width, int height, uint32_t fill)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), fill) {}

void Texture::fill(uint32_t argb) {
    std::fill(m_pixels.begin(), m_pixels.end(), argb);
}

void Texture::fillRows(int first, int last, uint32_t argb) {
    std::fill(row(first), row(last) + m_width, argb);
}

int powerOfTwoAtLeast(int side, int minimum) {
    int b = std::max(minimum, 1);
    while (b < side && b < (1 << 30)) b *= 2;
    return b;
}

bool pictureSize(const std::filesystem::path& file, int& width, int& height) {
    QImageReader reader(QString::fromStdString(file.string()));
    const QSize size = reader.size();
    if (!size.isValid()) return false;
    width = size.width();
    height = size.height();
    return true;
}

LoadedTexture loadTexture(const std::filesystem::path& file, LoadError* error) {
    auto fail = [error](LoadError e) {
        if (error) *error = e;
        return LoadedTexture{};
    };
    QImageReader reader(QString::fromStdString(file.string()));
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide))
        return fail(LoadError::TooLarge);
    QImage image;
    if (!reader.read(&image) || image.isNull()) return fail(LoadError::Unreadable);
    if (image.width() > kMaxPictureSide || image.height() > kMaxPictureSide)
        return fail(LoadError::TooLarge);
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) return fail(LoadError::OutOfMemory);

    LoadedTexture result;
    try {
        result.texture = std::make_unique<Texture>(powerOfTwoAtLeast(image.width()),
                                                   powerOfTwoAtLeast(image.height()));
    } catch (const std::bad_alloc&) {
        return fail(LoadError::OutOfMemory);
    }
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        std::memcpy(result.texture->row(y), source,
                    static_cast<std::size_t>(image.width()) * sizeof(uint32_t));
    }
    result.fileWidth = image.width();
    result.fileHeight = image.height();
    if (error) *error = LoadError::None;
    return result;
}

bool saveTexture(const Texture& texture, const std::filesystem::path& file, PictureFormat format,
                 int width, int height, PngUse use) {
    if (width <= 0) width = texture.width();
    if (height <= 0) height = texture.height();
    width = std::min(width, texture.width());
    height = std::min(height, texture.height());
    if (format == PictureFormat::Png && use == PngUse::Scratch) {
        if (width <= 0 || height <= 0) return false;
        // The texture's rows as they are, without a copy.
        const QImage view(reinterpret_cast<const uchar*>(texture.row(0)), width, height,
                          qsizetype(texture.width()) * qsizetype(sizeof(uint32_t)),
                          QImage::Format_ARGB32);
        const QByteArray bytes = encodePng(view, kScratchPng);
        if (bytes.isEmpty()) return false;
        QFile out(QString::fromStdString(file.string()));
        // A full disk often shows only when the buffered rest is flushed.
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush();
    }
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull()) return false;
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), texture.row(y),
                    static_cast<std::size_t>(width) * sizeof(uint32_t));
    const QString path = QString::fromStdString(file.string());
    switch (format) {
        case PictureFormat::Png:
            return image.save(path, "PNG");
        case PictureFormat::Bmp: {
            QFile file(path);
            const QByteArray bytes = encodeBmpWithAlpha(image);
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        }
        case PictureFormat::Jpeg:
            return image.convertToFormat(QImage::Format_RGB32).save(path, "JPG", 95);
    }
    return false;
}

}  // namespace sp::render
