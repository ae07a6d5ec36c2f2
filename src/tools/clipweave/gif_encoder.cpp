#include <libimagequant.h>

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

#include "tools/clipweave/animation_writer.h"
#include "tools/common/tool_main.h"

namespace sp::tools {
namespace {

// GIF keeps one bit of transparency: what is at least half covered shows.
constexpr int kAlphaThreshold = 128;

Failure notMade() {
    return Failure(QStringLiteral("GIF を作れません。"));
}

// Each pixel either fully transparent (and black, so that all of them share one
// palette entry) or opaque.
std::vector<unsigned char> thresholdedRgba(const QImage& argb, bool alpha) {
    const QImage rgba = argb.convertToFormat(QImage::Format_RGBA8888);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(rgba.width()) * rgba.height() * 4);
    for (int y = 0; y < rgba.height(); ++y) {
        const unsigned char* from = rgba.constScanLine(y);
        unsigned char* to = pixels.data() + static_cast<std::size_t>(y) * rgba.width() * 4;
        for (int x = 0; x < rgba.width(); ++x, from += 4, to += 4) {
            const bool shown = !alpha || from[3] >= kAlphaThreshold;
            for (int c = 0; c < 3; ++c) to[c] = shown ? from[c] : 0;
            to[3] = shown ? 255 : 0;
        }
    }
    return pixels;
}

struct LiqAttr {
    void operator()(liq_attr* a) const { liq_attr_destroy(a); }
};
struct LiqImage {
    void operator()(liq_image* i) const { liq_image_destroy(i); }
};
struct LiqHistogram {
    void operator()(liq_histogram* h) const { liq_histogram_destroy(h); }
};
struct LiqResult {
    void operator()(liq_result* r) const { liq_result_destroy(r); }
};

// Variable-length codes packed from the lowest bit up, in blocks of at most 255 bytes.
class CodeWriter {
  public:
    explicit CodeWriter(QByteArray& out) : m_out(out) {}
    void put(int code, int bits) {
        m_bits |= static_cast<unsigned long>(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            byte(static_cast<unsigned char>(m_bits & 0xFF));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    void finish() {
        if (m_count > 0) byte(static_cast<unsigned char>(m_bits & 0xFF));
        flushBlock();
        m_out.append('\0');
    }

  private:
    void byte(unsigned char b) {
        m_block[m_size++] = b;
        if (m_size == 255) flushBlock();
    }
    void flushBlock() {
        if (m_size == 0) return;
        m_out.append(static_cast<char>(m_size));
        m_out.append(reinterpret_cast<const char*>(m_block.data()), m_size);
        m_size = 0;
    }
    QByteArray& m_out;
    unsigned long m_bits = 0;
    int m_count = 0;
    std::array<unsigned char, 255> m_block{};
    int m_size = 0;
};

// The image data: LZW over the palette indices, the table started afresh when full.
void writeLzw(QByteArray& out, const std::vector<unsigned char>& indices, int minCodeSize) {
    out.append(static_cast<char>(minCodeSize));
    CodeWriter writer(out);
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    int codeSize = minCodeSize + 1;
    int last = end;  // the last code given out
    std::unordered_map<int, int> table;
    writer.put(clear, codeSize);
    int current = -1;
    for (unsigned char index : indices) {
        if (current < 0) {
            current = index;
            continue;
        }
        const int key = (current << 8) | index;
        const auto found = table.find(key);
        if (found != table.end()) {
            current = found->second;
            continue;
        }
        writer.put(current, codeSize);
        table.emplace(key, ++last);
        if (last >= (1 << codeSize) && codeSize < 12) ++codeSize;
        if (last == 4095) {
            writer.put(clear, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            last = end;
        }
        current = index;
    }
    if (current >= 0) writer.put(current, codeSize);
    writer.put(end, codeSize);
    writer.finish();
}

void put16(QByteArray& out, int v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

}  // namespace

// One palette for the whole loop, so that colours do not flicker from frame to
// frame; every frame a whole picture that replaces the one before.
QByteArray encodeGif(const FrameSource& frame, int frames, QSize size, int fps, bool alpha) {
    const GifTiming timing = gifTiming(frames, fps);
    std::unique_ptr<liq_attr, LiqAttr> attr(liq_attr_create());
    if (!attr) throw std::bad_alloc();
    liq_set_max_colors(attr.get(), 256);
    liq_set_speed(attr.get(), 3);
    std::unique_ptr<liq_histogram, LiqHistogram> histogram(liq_histogram_create(attr.get()));
    if (!histogram) throw std::bad_alloc();
    for (int index : timing.frames) {
        std::vector<unsigned char> pixels = thresholdedRgba(frame(index), alpha);
        std::unique_ptr<liq_image, LiqImage> image(
            liq_image_create_rgba(attr.get(), pixels.data(), size.width(), size.height(), 0));
        if (!image || liq_histogram_add_image(histogram.get(), attr.get(), image.get()) != LIQ_OK)
            throw notMade();
    }
    liq_result* raw = nullptr;
    if (liq_histogram_quantize(histogram.get(), attr.get(), &raw) != LIQ_OK || raw == nullptr)
        throw notMade();
    std::unique_ptr<liq_result, LiqResult> result(raw);
    liq_set_dithering_level(result.get(), 1.0f);
    const liq_palette* palette = liq_get_palette(result.get());
    int transparent = -1;
    if (alpha)
        for (unsigned i = 0; i < palette->count && transparent < 0; ++i)
            if (palette->entries[i].a < kAlphaThreshold) transparent = static_cast<int>(i);
    int tableBits = 1;
    while ((1u << tableBits) < palette->count) ++tableBits;

    QByteArray out("GIF89a");
    put16(out, size.width());
    put16(out, size.height());
    out.append(static_cast<char>(0x80 | ((tableBits - 1) << 4) | (tableBits - 1)));
    out.append('\0');  // background colour index
    out.append('\0');  // no aspect ratio
    for (unsigned i = 0; i < (1u << tableBits); ++i) {
        const liq_color c = i < palette->count ? palette->entries[i] : liq_color{0, 0, 0, 255};
        out.append(static_cast<char>(c.r));
        out.append(static_cast<char>(c.g));
        out.append(static_cast<char>(c.b));
    }
    // Loop forever.
    out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
    put16(out, 0);
    out.append('\0');

    std::vector<unsigned char> indices(static_cast<std::size_t>(size.width()) * size.height());
    for (std::size_t k = 0; k < timing.frames.size(); ++k) {
        std::vector<unsigned char> pixels = thresholdedRgba(frame(timing.frames[k]), alpha);
        std::unique_ptr<liq_image, LiqImage> image(
            liq_image_create_rgba(attr.get(), pixels.data(), size.width(), size.height(), 0));
        if (!image || liq_write_remapped_image(result.get(), image.get(), indices.data(),
                                               indices.size()) != LIQ_OK)
            throw notMade();
        // Graphic control: with transparency each frame clears to the background
        // before the next, so that nothing of it shows through.
        out.append("\x21\xF9\x04", 3);
        out.append(static_cast<char>((transparent >= 0 ? (2 << 2) | 1 : (1 << 2))));
        put16(out, timing.delays[k]);
        out.append(static_cast<char>(transparent >= 0 ? transparent : 0));
        out.append('\0');
        out.append(',');
        put16(out, 0);
        put16(out, 0);
        put16(out, size.width());
        put16(out, size.height());
        out.append('\0');  // no local table, not interlaced
        writeLzw(out, indices, std::max(2, tableBits));
    }
    out.append(';');
    return out;
}

}  // namespace sp::tools
