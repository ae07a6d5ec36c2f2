#include "picture/png_encoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace sp {
namespace {

// Rows are compressed in pieces of about this many bytes: large enough that
// the joins cost nothing measurable, small enough that a sheet keeps both
// cores busy. A fixed size, so that the bytes never depend on the machine.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
// What deflate can look back on, and so what a piece is primed with.
constexpr std::size_t kWindow = 32768;
constexpr int kWindowBits = 15;
constexpr int kMemLevel = 8;

enum Filter : uint8_t { None = 0, Sub = 1, Up = 2, Average = 3, Paeth = 4 };

void append32(QByteArray& out, uint32_t value) {
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, 4);
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data) {
    append32(out, static_cast<uint32_t>(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(out.constData() + start),
                            static_cast<uInt>(out.size() - start));
    append32(out, static_cast<uint32_t>(crc));
}

// The picture's rows as the bytes a PNG stores: R, G, B (, A).
class PictureRows {
  public:
    PictureRows(const QImage& image, int channels) : m_image(image), m_channels(channels) {}

    std::size_t rowBytes() const { return std::size_t(m_image.width()) * std::size_t(m_channels); }

    void read(int y, uint8_t* out) const {
        const auto* in = reinterpret_cast<const uint32_t*>(m_image.constScanLine(y));
        const int width = m_image.width();
        if (m_channels == 4) {
            for (int x = 0; x < width; ++x) {
                const uint32_t p = in[x];
                out[4 * x] = uint8_t(p >> 16);
                out[4 * x + 1] = uint8_t(p >> 8);
                out[4 * x + 2] = uint8_t(p);
                out[4 * x + 3] = uint8_t(p >> 24);
            }
        } else {
            for (int x = 0; x < width; ++x) {
                const uint32_t p = in[x];
                out[3 * x] = uint8_t(p >> 16);
                out[3 * x + 1] = uint8_t(p >> 8);
                out[3 * x + 2] = uint8_t(p);
            }
        }
    }

    int channels() const { return m_channels; }

  private:
    const QImage& m_image;
    int m_channels;
};

inline uint8_t paethPredictor(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p;
    const int pb = p > b ? p - b : b - p;
    const int pc = p > c ? p - c : c - p;
    return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// The heuristic every common writer uses: bytes read as signed, summed as magnitudes.
uint64_t magnitudeSum(const uint8_t* bytes, std::size_t n) {
    uint64_t sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum += bytes[i] < 128 ? bytes[i] : 256 - bytes[i];
    return sum;
}

// Filters rows one after the other; the previous row starts as zeros.
class RowFilter {
  public:
    RowFilter(const PictureRows& rows, bool adaptive)
        : m_rows(rows),
          m_adaptive(adaptive),
          m_bytes(rows.rowBytes()),
          m_current(m_bytes),
          m_previous(m_bytes, 0) {
        if (adaptive)
            for (auto& candidate : m_candidates) candidate.resize(m_bytes);
    }

    // Writes row y's filter type and filtered bytes to out (rowBytes() + 1 bytes).
    void filter(int y, uint8_t* out) {
        m_rows.read(y, m_current.data());
        if (!m_adaptive) {
            out[0] = None;
            std::memcpy(out + 1, m_current.data(), m_bytes);
        } else {
            filterAll();
            int best = None;
            uint64_t bestSum = magnitudeSum(m_candidates[None].data(), m_bytes);
            for (int f = Sub; f <= Paeth; ++f) {
                const uint64_t sum = magnitudeSum(m_candidates[std::size_t(f)].data(), m_bytes);
                if (sum < bestSum) {
                    bestSum = sum;
                    best = f;
                }
            }
            out[0] = uint8_t(best);
            std::memcpy(out + 1, m_candidates[std::size_t(best)].data(), m_bytes);
        }
        std::swap(m_current, m_previous);
    }

    // Starts at row y, as if the rows above had been filtered.
    void startAt(int y) {
        if (y == 0)
            std::fill(m_previous.begin(), m_previous.end(), uint8_t{0});
        else
            m_rows.read(y - 1, m_previous.data());
    }

  private:
    void filterAll() {
        const uint8_t* x = m_current.data();
        const uint8_t* b = m_previous.data();
        uint8_t* none = m_candidates[None].data();
        uint8_t* sub = m_candidates[Sub].data();
        uint8_t* up = m_candidates[Up].data();
        uint8_t* average = m_candidates[Average].data();
        uint8_t* paeth = m_candidates[Paeth].data();
        const std::size_t bpp = std::size_t(m_rows.channels());
        for (std::size_t i = 0; i < bpp; ++i) {
            none[i] = x[i];
            sub[i] = x[i];
            up[i] = uint8_t(x[i] - b[i]);
            average[i] = uint8_t(x[i] - (b[i] >> 1));
            paeth[i] = uint8_t(x[i] - b[i]);
        }
        for (std::size_t i = bpp; i < m_bytes; ++i) {
            const uint8_t a = x[i - bpp];
            const uint8_t c = b[i - bpp];
            none[i] = x[i];
            sub[i] = uint8_t(x[i] - a);
            up[i] = uint8_t(x[i] - b[i]);
            average[i] = uint8_t(x[i] - ((a + b[i]) >> 1));
            paeth[i] = uint8_t(x[i] - paethPredictor(a, b[i], c));
        }
    }

    const PictureRows& m_rows;
    bool m_adaptive;
    std::size_t m_bytes;
    std::vector<uint8_t> m_current;
    std::vector<uint8_t> m_previous;
    std::array<std::vector<uint8_t>, 5> m_candidates;
};

struct Piece {
    int firstRow = 0;
    int endRow = 0;
    std::vector<uint8_t> deflated;
    uLong adler = 1;
    std::size_t length = 0;  // filtered bytes
    bool ok = false;
};

// Filters and deflates one piece as a raw deflate stream that continues the
// previous piece's: primed with its last bytes, ended by a sync flush (the
// last piece by the end of the stream).
void compressPiece(const PictureRows& rows, const PngCompression& compression, Piece& piece,
                   bool last) {
    const std::size_t stride = rows.rowBytes() + 1;
    RowFilter filter(rows, compression.adaptiveFilter);

    std::vector<uint8_t> dictionary;
    if (piece.firstRow > 0) {
        const int before = int(
            std::min<std::size_t>((kWindow + stride - 1) / stride, std::size_t(piece.firstRow)));
        dictionary.resize(std::size_t(before) * stride);
        filter.startAt(piece.firstRow - before);
        for (int k = 0; k < before; ++k)
            filter.filter(piece.firstRow - before + k, dictionary.data() + std::size_t(k) * stride);
    } else {
        filter.startAt(0);
    }

    std::vector<uint8_t> data(std::size_t(piece.endRow - piece.firstRow) * stride);
    for (int y = piece.firstRow; y < piece.endRow; ++y)
        filter.filter(y, data.data() + std::size_t(y - piece.firstRow) * stride);
    piece.length = data.size();
    piece.adler = adler32_z(1L, data.data(), data.size());

    z_stream z{};
    const int strategy = compression.adaptiveFilter ? Z_FILTERED : Z_DEFAULT_STRATEGY;
    if (deflateInit2(&z, std::clamp(compression.level, 0, 9), Z_DEFLATED, -kWindowBits, kMemLevel,
                     strategy) != Z_OK)
        return;
    bool ok = true;
    if (!dictionary.empty()) {
        const std::size_t keep = std::min(kWindow, dictionary.size());
        ok = deflateSetDictionary(&z, dictionary.data() + dictionary.size() - keep,
                                  static_cast<uInt>(keep)) == Z_OK;
    }
    // A sync flush adds an empty stored block to what deflateBound allows for.
    piece.deflated.resize(deflateBound(&z, static_cast<uLong>(data.size())) + 64);
    z.next_in = data.data();
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = piece.deflated.data();
    z.avail_out = static_cast<uInt>(piece.deflated.size());
    const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    while (ok) {
        const int result = deflate(&z, flush);
        if (last && result == Z_STREAM_END) break;
        if (!last && result == Z_OK && z.avail_in == 0 && z.avail_out > 0) break;
        if ((result != Z_OK && result != Z_BUF_ERROR) || z.avail_out > 0) {
            ok = false;
            break;
        }
        const std::size_t used = piece.deflated.size();
        piece.deflated.resize(used * 2);
        z.next_out = piece.deflated.data() + used;
        z.avail_out = static_cast<uInt>(piece.deflated.size() - used);
    }
    piece.deflated.resize(piece.deflated.size() - z.avail_out);
    deflateEnd(&z);
    piece.ok = ok;
}

// Runs compressPiece for every piece on up to one thread per core.
void compressPieces(const PictureRows& rows, const PngCompression& compression,
                    std::vector<Piece>& pieces) {
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < pieces.size(); i = next++) {
            try {
                compressPiece(rows, compression, pieces[i], i + 1 == pieces.size());
            } catch (const std::bad_alloc&) {
                pieces[i].ok = false;
            }
        }
    };
    const std::size_t helpers =
        std::min<std::size_t>(pieces.size(), std::max(1u, std::thread::hardware_concurrency())) - 1;
    std::vector<std::jthread> threads;
    for (std::size_t t = 0; t < helpers; ++t) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // the calling thread does the rest
        }
    }
    work();
}

QByteArray header(const QImage& image, int channels) {
    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    QByteArray ihdr;
    append32(ihdr, uint32_t(image.width()));
    append32(ihdr, uint32_t(image.height()));
    const char rest[5] = {8, char(channels == 4 ? 6 : 2), 0, 0, 0};
    ihdr.append(rest, 5);
    appendChunk(out, "IHDR", ihdr);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        QByteArray phys;
        append32(phys, uint32_t(image.dotsPerMeterX()));
        append32(phys, uint32_t(image.dotsPerMeterY()));
        phys.append(char(1));  // the unit is the metre
        appendChunk(out, "pHYs", phys);
    }
    return out;
}

// The two bytes before the deflate data: a 32 KiB window, and the level's class.
QByteArray zlibHeader(int level) {
    const int levelClass = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
    int value = (Z_DEFLATED + ((kWindowBits - 8) << 4)) << 8 | levelClass << 6;
    value += (31 - value % 31) % 31;
    const char bytes[2] = {char(value >> 8), char(value & 0xFF)};
    return QByteArray(bytes, 2);
}

}  // namespace

QByteArray encodePng(const QImage& picture, const PngCompression& compression) {
    if (picture.isNull()) return {};
    try {
        const bool alpha = picture.hasAlphaChannel();
        const QImage::Format format = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
        const QImage image = picture.format() == format ? picture : picture.convertToFormat(format);
        if (image.isNull()) return {};
        const PictureRows rows(image, alpha ? 4 : 3);

        const std::size_t stride = rows.rowBytes() + 1;
        const int rowsPerPiece = int(std::max<std::size_t>(1, kPieceBytes / stride));
        std::vector<Piece> pieces;
        for (int y = 0; y < image.height(); y += rowsPerPiece) {
            Piece piece;
            piece.firstRow = y;
            piece.endRow = std::min(image.height(), y + rowsPerPiece);
            pieces.push_back(std::move(piece));
        }
        compressPieces(rows, compression, pieces);

        QByteArray out = header(image, rows.channels());
        uLong adler = 1;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const Piece& piece = pieces[i];
            if (!piece.ok) return {};
            adler = adler32_combine(adler, piece.adler, static_cast<z_off_t>(piece.length));
            QByteArray idat;
            if (i == 0) idat = zlibHeader(compression.level);
            idat.append(reinterpret_cast<const char*>(piece.deflated.data()),
                        qsizetype(piece.deflated.size()));
            if (i + 1 == pieces.size()) append32(idat, static_cast<uint32_t>(adler));
            appendChunk(out, "IDAT", idat);
        }
        appendChunk(out, "IEND", {});
        return out;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace sp
