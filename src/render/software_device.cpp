#include "render/software_device.h"

#include <algorithm>
#include <cmath>

namespace sp::render {
namespace {

inline uint32_t channel(uint32_t argb, int shift) { return (argb >> shift) & 0xFFu; }

// round(x / 255), exact for every value a blend of two 8-bit products produces
// below 65536; larger values only occur where the result is clamped to 255.
inline uint32_t div255(uint32_t x) { return (x + 128u + ((x + 128u) >> 8)) >> 8; }

inline uint32_t factorOf(BlendFactor f, uint32_t sourceAlpha) {
    switch (f) {
        case BlendFactor::Zero:
            return 0;
        case BlendFactor::One:
            return 255;
        case BlendFactor::SrcAlpha:
            return sourceAlpha;
        case BlendFactor::InvSrcAlpha:
            return 255 - sourceAlpha;
    }
    return 0;
}

inline uint32_t wrap(int i, int size) {
    // Texture sides are powers of two; other sizes still wrap correctly.
    if ((size & (size - 1)) == 0) return static_cast<uint32_t>(i) & static_cast<uint32_t>(size - 1);
    const int m = i % size;
    return static_cast<uint32_t>(m < 0 ? m + size : m);
}

inline int floorToInt(float v) {
    if (!(v > -2e9f && v < 2e9f)) return 0;
    const int i = static_cast<int>(v);
    return (static_cast<float>(i) > v) ? i - 1 : i;
}

inline uint32_t samplePoint(const Texture& t, float u, float v) {
    const int x = floorToInt(u * static_cast<float>(t.width()));
    const int y = floorToInt(v * static_cast<float>(t.height()));
    return t.pixel(static_cast<int>(wrap(x, t.width())), static_cast<int>(wrap(y, t.height())));
}

inline uint32_t sampleLinear(const Texture& t, float u, float v) {
    const float fx = u * static_cast<float>(t.width()) - 0.5f;
    const float fy = v * static_cast<float>(t.height()) - 0.5f;
    const int x0 = floorToInt(fx);
    const int y0 = floorToInt(fy);
    // Weights in 1/256ths.
    const uint32_t wx = static_cast<uint32_t>(std::clamp((fx - static_cast<float>(x0)) * 256.0f + 0.5f, 0.0f, 256.0f));
    const uint32_t wy = static_cast<uint32_t>(std::clamp((fy - static_cast<float>(y0)) * 256.0f + 0.5f, 0.0f, 256.0f));
    const int xa = static_cast<int>(wrap(x0, t.width()));
    const int xb = static_cast<int>(wrap(x0 + 1, t.width()));
    const int ya = static_cast<int>(wrap(y0, t.height()));
    const int yb = static_cast<int>(wrap(y0 + 1, t.height()));
    const uint32_t p00 = t.pixel(xa, ya), p10 = t.pixel(xb, ya), p01 = t.pixel(xa, yb), p11 = t.pixel(xb, yb);
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t top = channel(p00, shift) * (256 - wx) + channel(p10, shift) * wx;
        const uint32_t bottom = channel(p01, shift) * (256 - wx) + channel(p11, shift) * wx;
        const uint32_t value = (top * (256 - wy) + bottom * wy + 32768u) >> 16;
        out |= std::min<uint32_t>(value, 255u) << shift;
    }
    return out;
}

// Texture × diffuse, per channel, rounded.
inline uint32_t modulate(uint32_t texel, uint32_t diffuse) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
        out |= div255(channel(texel, shift) * channel(diffuse, shift)) << shift;
    return out;
}

struct EdgeFunction {
    double a, b, c;  // a·x + b·y + c, positive inside
    bool includesTies;

    static EdgeFunction through(const ParticleVertex& p, const ParticleVertex& q) {
        EdgeFunction e;
        e.a = static_cast<double>(p.y) - static_cast<double>(q.y);
        e.b = static_cast<double>(q.x) - static_cast<double>(p.x);
        e.c = static_cast<double>(p.x) * static_cast<double>(q.y) - static_cast<double>(q.x) * static_cast<double>(p.y);
        e.includesTies = e.a > 0.0 || (e.a == 0.0 && e.b > 0.0);
        return e;
    }
    double at(double x, double y) const { return a * x + b * y + c; }
    bool inside(double x, double y) const {
        const double v = at(x, y);
        return v > 0.0 || (v == 0.0 && includesTies);
    }
};

bool finite(const ParticleVertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.u) && std::isfinite(v.v);
}

}  // namespace

struct SoftwareDevice::Span {
    uint32_t* row;
    int x0, x1;  // inclusive
    float u, v, dudx, dvdx;
    bool constantDiffuse;
    uint32_t diffuse;
    float channel[4], step[4];  // a, r, g, b when the colour varies
};

SoftwareDevice::SoftwareDevice(int width, int height) : m_backBuffer(width, height), m_target(&m_backBuffer) {
    setColourBlend(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
}

void SoftwareDevice::setColourBlend(BlendFactor source, BlendFactor destination) {
    m_colourSource = source;
    m_colourDestination = destination;
    setAlphaBlend(m_alphaSource, m_alphaDestination);
}

void SoftwareDevice::setAlphaBlend(BlendFactor source, BlendFactor destination) {
    m_alphaSource = source;
    m_alphaDestination = destination;
    // A fully transparent source leaves the target as it is for these factors,
    // which lets the rasteriser skip such pixels.
    auto keepsTarget = [](BlendFactor s, BlendFactor d) {
        return (s == BlendFactor::SrcAlpha || s == BlendFactor::Zero) &&
               (d == BlendFactor::InvSrcAlpha || d == BlendFactor::One);
    };
    m_transparentLeavesTarget = keepsTarget(m_colourSource, m_colourDestination) &&
                                (m_alphaDestination == BlendFactor::InvSrcAlpha ||
                                 m_alphaDestination == BlendFactor::One);
}

void SoftwareDevice::drawTriangleStrip(const ParticleVertex* vertices, std::size_t count) {
    for (std::size_t i = 2; i < count; ++i) drawTriangle(vertices[i - 2], vertices[i - 1], vertices[i]);
}

void SoftwareDevice::drawTriangle(const ParticleVertex& a0, const ParticleVertex& b0, const ParticleVertex& c0) {
    if (!finite(a0) || !finite(b0) || !finite(c0)) return;
    const ParticleVertex* a = &a0;
    const ParticleVertex* b = &b0;
    const ParticleVertex* c = &c0;
    double area = EdgeFunction::through(*a, *b).at(c->x, c->y);
    if (area == 0.0 || !std::isfinite(area)) return;
    if (area < 0.0) {
        std::swap(b, c);
        area = -area;
    }
    const EdgeFunction eab = EdgeFunction::through(*a, *b);
    const EdgeFunction ebc = EdgeFunction::through(*b, *c);
    const EdgeFunction eca = EdgeFunction::through(*c, *a);

    Texture& target = *m_target;
    const double minY = std::min({a->y, b->y, c->y});
    const double maxY = std::max({a->y, b->y, c->y});
    const double minX = std::min({a->x, b->x, c->x});
    const double maxX = std::max({a->x, b->x, c->x});
    const int yStart = std::max(0, static_cast<int>(std::floor(minY - 0.5)));
    const int yEnd = std::min(target.height() - 1, static_cast<int>(std::ceil(maxY - 0.5)));
    const int xLimitLo = std::max(0, static_cast<int>(std::floor(minX - 0.5)));
    const int xLimitHi = std::min(target.width() - 1, static_cast<int>(std::ceil(maxX - 0.5)));
    if (yStart > yEnd || xLimitLo > xLimitHi) return;

    // Attribute planes: value(x, y) = (ebc·va + eca·vb + eab·vc) / area.
    auto plane = [&](float va, float vb, float vc, double& dx, double& dy, double& c0v) {
        dx = (ebc.a * va + eca.a * vb + eab.a * vc) / area;
        dy = (ebc.b * va + eca.b * vb + eab.b * vc) / area;
        c0v = (ebc.c * va + eca.c * vb + eab.c * vc) / area;
    };
    double uDx, uDy, uC, vDx, vDy, vC;
    plane(a->u, b->u, c->u, uDx, uDy, uC);
    plane(a->v, b->v, c->v, vDx, vDy, vC);
    const bool constantDiffuse = a->diffuse == b->diffuse && a->diffuse == c->diffuse;
    double colDx[4] = {}, colDy[4] = {}, colC[4] = {};
    if (!constantDiffuse) {
        for (int k = 0; k < 4; ++k) {
            const int shift = 24 - 8 * k;
            plane(static_cast<float>(channel(a->diffuse, shift)), static_cast<float>(channel(b->diffuse, shift)),
                  static_cast<float>(channel(c->diffuse, shift)), colDx[k], colDy[k], colC[k]);
        }
    }

    const EdgeFunction* edges[3] = {&eab, &ebc, &eca};
    for (int y = yStart; y <= yEnd; ++y) {
        const double sy = y + 0.5;
        // The span where every edge function is non-negative, widened by a pixel
        // and then narrowed by exact tests, so that rounding never decides coverage.
        double lo = xLimitLo, hi = xLimitHi;
        bool empty = false;
        for (const EdgeFunction* e : edges) {
            const double rest = e->b * sy + e->c;
            if (e->a > 0.0) {
                lo = std::max(lo, std::floor(-rest / e->a - 0.5) - 1.0);
            } else if (e->a < 0.0) {
                hi = std::min(hi, std::ceil(-rest / e->a - 0.5) + 1.0);
            } else if (!(rest > 0.0 || (rest == 0.0 && e->includesTies))) {
                empty = true;
            }
        }
        if (empty || lo > hi) continue;
        int x0 = static_cast<int>(lo), x1 = static_cast<int>(hi);
        auto inside = [&](int x) {
            const double sx = x + 0.5;
            return eab.inside(sx, sy) && ebc.inside(sx, sy) && eca.inside(sx, sy);
        };
        while (x0 <= x1 && !inside(x0)) ++x0;
        while (x1 >= x0 && !inside(x1)) --x1;
        if (x0 > x1) continue;

        Span span;
        span.row = target.row(y);
        span.x0 = x0;
        span.x1 = x1;
        const double sx = x0 + 0.5;
        span.u = static_cast<float>(uDx * sx + uDy * sy + uC);
        span.v = static_cast<float>(vDx * sx + vDy * sy + vC);
        span.dudx = static_cast<float>(uDx);
        span.dvdx = static_cast<float>(vDx);
        span.constantDiffuse = constantDiffuse;
        span.diffuse = a->diffuse;
        for (int k = 0; k < 4; ++k) {
            span.channel[k] = static_cast<float>(colDx[k] * sx + colDy[k] * sy + colC[k]);
            span.step[k] = static_cast<float>(colDx[k]);
        }
        if (m_texture == nullptr) {
            shadeSpan<TextureFilter::Point, false>(span);
        } else if (m_filter == TextureFilter::Linear) {
            shadeSpan<TextureFilter::Linear, true>(span);
        } else {
            shadeSpan<TextureFilter::Point, true>(span);
        }
    }
}

template <TextureFilter Filter, bool Textured>
void SoftwareDevice::shadeSpan(const Span& span) {
    const Texture* texture = m_texture;
    const BlendFactor cs = m_colourSource, cd = m_colourDestination;
    const BlendFactor as = m_alphaSource, ad = m_alphaDestination;
    const bool skipTransparent = m_transparentLeavesTarget;
    float u = span.u, v = span.v;
    float col[4] = {span.channel[0], span.channel[1], span.channel[2], span.channel[3]};
    for (int x = span.x0; x <= span.x1; ++x) {
        uint32_t diffuse = span.diffuse;
        if (!span.constantDiffuse) {
            diffuse = 0;
            for (int k = 0; k < 4; ++k) {
                const float value = std::clamp(col[k] + 0.5f, 0.0f, 255.0f);
                diffuse |= static_cast<uint32_t>(value) << (24 - 8 * k);
                col[k] += span.step[k];
            }
        }
        uint32_t source = diffuse;
        if constexpr (Textured) {
            const uint32_t texel = Filter == TextureFilter::Linear ? sampleLinear(*texture, u, v)
                                                                   : samplePoint(*texture, u, v);
            source = modulate(texel, diffuse);
            u += span.dudx;
            v += span.dvdx;
        }
        const uint32_t sa = source >> 24;
        if (sa == 0 && skipTransparent) continue;
        uint32_t& pixel = span.row[x];
        const uint32_t destination = pixel;
        const uint32_t fs = factorOf(cs, sa), fd = factorOf(cd, sa);
        uint32_t out = std::min<uint32_t>(div255(sa * factorOf(as, sa) + (destination >> 24) * factorOf(ad, sa)), 255u)
                       << 24;
        for (int shift = 0; shift < 24; shift += 8) {
            const uint32_t value = div255(channel(source, shift) * fs + channel(destination, shift) * fd);
            out |= std::min<uint32_t>(value, 255u) << shift;
        }
        pixel = out;
    }
}

}  // namespace sp::render
