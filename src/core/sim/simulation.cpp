#include "core/sim/simulation.h"

#include <algorithm>
#include <vector>

#include "core/sim/angle_table.h"

namespace sp {
namespace {

// 1 + v or 1 - v, with v up to `variation` per cent, chosen by a coin.
float randomFactor(MsvcRandom& random, int32_t variation) {
    const float v =
        static_cast<float>(random.rand() % 100) / 100.0f * static_cast<float>(variation) / 100.0f;
    return random.coin() ? 1.0f + v : 1.0f - v;
}

int32_t saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Truncation toward zero that stays defined for values a damaged file can produce.
int32_t truncateToInt(double v) {
    if (!(v > -2147483648.0)) return v != v ? 0 : INT32_MIN;
    if (v >= 2147483647.0) return INT32_MAX;
    return static_cast<int32_t>(v);
}

}  // namespace

Simulation::Simulation(ProjectState& state, SimulationLimits limits)
    : m_state(state), m_limits(limits) {}

void Simulation::restart(EmitterNode& root) {
    root.clearParticles();
    m_random.srand(static_cast<uint32_t>(m_state.randomSeed));
    m_state.currentFrame = 0;
    m_liveParticles = 0;
    m_trailPoints = 0;
    m_particleLimitReached = false;
    m_trailLimitReached = false;
}

void Simulation::replay(EmitterNode& root, int32_t frames, const FrameVisitor& afterFrame,
                        LoopEnd end) {
    const int32_t exporting = m_state.exportInProgress;
    m_state.exportInProgress = end == LoopEnd::RunsOn ? 1 : 0;
    restart(root);
    for (int32_t i = 0; i < frames; ++i) {
        update(&root);
        if (afterFrame && !afterFrame(m_state.currentFrame)) break;
    }
    m_state.exportInProgress = exporting;
}

bool Simulation::update(EmitterNode* root) {
    if (root == nullptr) return false;
    if (m_state.currentFrame == 0) {
        m_particleLimitReached = false;
        m_trailLimitReached = false;
        root->resetAsRoot();
        const Vec3 at{static_cast<float>(m_state.emitX), static_cast<float>(m_state.emitY), 0.0f};
        root->particles.push_back(emitParticle(*root, at, 0, 1.0f, 1.0f, 0));
    }
    m_state.currentFrame += 1;
    if (!m_state.exportInProgress && m_state.currentFrame > m_state.frameCount) {
        m_state.currentFrame = 0;
        m_random.srand(static_cast<uint32_t>(m_state.randomSeed));
        root->clearParticles();
        m_liveParticles = 0;
        m_trailPoints = 0;
        return true;
    }
    // Tree edits outside the simulation may have removed particles; count afresh.
    countLiveParticles(*root);
    updateNode(*root, m_state.currentFrame);
    return true;
}

void Simulation::countLiveParticles(const EmitterNode& root) {
    m_liveParticles = 0;
    m_trailPoints = 0;
    std::vector<const EmitterNode*> work{&root};
    while (!work.empty()) {
        const EmitterNode* node = work.back();
        work.pop_back();
        m_liveParticles += node->particles.size();
        m_trailPoints += node->trailPointCount;
        for (const auto& child : node->children) work.push_back(child.get());
    }
}

// Each node's particles first to last, then each child subtree in order: the
// particles a node emits into its children are updated in the frame they are born.
void Simulation::updateNode(EmitterNode& top, int32_t frame) {
    std::vector<EmitterNode*> work{&top};
    while (!work.empty()) {
        EmitterNode& node = *work.back();
        work.pop_back();
        std::vector<Particle>& list = node.particles;
        std::size_t kept = 0;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (updateParticle(list[i], node, frame)) {
                --m_liveParticles;
                node.trailPointCount -= list[i].trail.size();
                m_trailPoints -= list[i].trail.size();
                continue;
            }
            if (kept != i) list[kept] = std::move(list[i]);
            ++kept;
        }
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(kept), list.end());
        for (auto it = node.children.rbegin(); it != node.children.rend(); ++it)
            work.push_back(it->get());
    }
}

// Moves the particle one step; returns true when it died in this update.
bool Simulation::updateParticle(Particle& p, EmitterNode& node, int32_t frame) {
    p.previousPosition = p.position;

    p.fallSpeed += node.gravity / 500.0f;
    p.position.y += p.fallSpeed;

    const int32_t s = EmitterNode::sampleAt(node.speedSamples, p.age, p.lifetime);
    const float step =
        static_cast<float>(node.maxSpeed) * static_cast<float>(s) * p.speedFactor / 100.0f;
    p.position.x += p.heading.x * step * p.spreadFactor;
    p.position.y += p.heading.y * step * p.spreadFactor;
    p.position.z += p.heading.z * step * p.spreadFactor;

    p.age += 1;
    if (p.age > p.lifetime) return true;

    // At most one removal per update: after the trail length is lowered a trail
    // keeps its length, and with no trail length it stays frozen as it is.
    if (node.trailLength > 0) {
        if (m_trailPoints < m_limits.maxTrailPoints) {
            p.trail.pushNewest(p.position);
            ++node.trailPointCount;
            ++m_trailPoints;
        } else {
            m_trailLimitReached = true;
        }
        if (p.trail.size() > static_cast<std::size_t>(node.trailLength) + 1) {
            p.trail.dropOldest();
            --node.trailPointCount;
            --m_trailPoints;
        }
    }

    if (!node.children.empty()) emitIntoChildren(p, node, frame);
    return false;
}

void Simulation::emitIntoChildren(const Particle& p, const EmitterNode& node, int32_t frame) {
    for (const auto& childPtr : node.children) {
        EmitterNode& child = *childPtr;

        // The interval draw is made for every child in every frame, emitting or not.
        int32_t k = child.interval;
        if (child.intervalVar > 0) {
            const int32_t v = m_random.rand() % child.intervalVar;
            k = saturate(static_cast<int64_t>(k) +
                         truncateToInt(static_cast<double>(v - child.intervalVar / 2) / 50.0 * k));
        }
        if (frame < child.emitStart || frame > child.emitEnd) continue;
        if (k != 0 && (static_cast<int64_t>(frame) - child.emitStart) % k != 0) continue;

        // Only the parent node's curves at the parent particle's age are passed on.
        const float parentAlpha =
            child.inheritAlpha
                ? static_cast<float>(EmitterNode::sampleAt(node.alphaSamples, p.age, p.lifetime)) /
                      100.0f
                : 1.0f;
        const float parentSize =
            child.inheritSize
                ? static_cast<float>(EmitterNode::sampleAt(node.sizeSamples, p.age, p.lifetime)) /
                      100.0f
                : 1.0f;
        int32_t tilt = 0;
        if (child.inheritTilt) {
            const float rotation =
                static_cast<float>(EmitterNode::sampleAt(node.rotationSamples, p.age, p.lifetime));
            tilt = truncateToInt(static_cast<float>(node.maxAngle) * rotation / 100.0f *
                                 p.rotationFactor * static_cast<float>(p.spin));
        }

        if (child.emitType == kEmitRadial || child.emitType == kEmitConverging) {
            const float v = static_cast<float>(m_random.rand() % 100) / 100.0f *
                            static_cast<float>(child.amountVar) / 100.0f;
            const float amount = static_cast<float>(child.amount);
            const int32_t n = m_random.coin() ? truncateToInt(amount * (1.0f + v))
                                              : truncateToInt(amount * (1.0f - v));
            for (int32_t j = 0; j < n; ++j) {
                const int32_t c = child.evenlySpaced
                                      ? static_cast<int32_t>(static_cast<int64_t>(j) * 360 / n)
                                      : m_random.rand() % 360;
                if (!emitInto(child, p, c, parentAlpha, parentSize, tilt)) break;
            }
        } else if (child.emitType == kEmitOneDirection) {
            for (int32_t j = 0; j < child.amount; ++j) {
                int32_t c = child.direction;
                if (child.directionSpread != 0) {
                    const int64_t spread = child.directionSpread;
                    c = saturate(c + m_random.rand() % (2 * spread) - spread);
                }
                if (!emitInto(child, p, c, parentAlpha, parentSize, tilt)) break;
            }
        }
    }
}

bool Simulation::emitInto(EmitterNode& child, const Particle& parentParticle, int32_t c,
                          float parentAlpha, float parentSize, int32_t tilt) {
    if (m_liveParticles >= m_limits.maxLiveParticles) {
        m_particleLimitReached = true;
        return false;
    }
    child.particles.push_back(
        emitParticle(child, parentParticle.position, c, parentAlpha, parentSize, tilt));
    ++m_liveParticles;
    return true;
}

Particle Simulation::emitParticle(EmitterNode& n, Vec3 birth, int32_t c, float parentAlpha,
                                  float parentSize, int32_t tilt) {
    Particle p;

    // Birth position: scattered around the birth point, crowding towards it.
    p.position = birth;
    if (n.emitType != kEmitConverging) {
        const int32_t r = m_random.rand() % 101;
        const int32_t a = m_random.rand() % 360;
        const Turned offset = turnXAxis(static_cast<float>(r) / 100.0f, sinCosDegrees(a));
        const float radius = static_cast<float>(m_state.projectWidth) * 0.5f *
                             static_cast<float>(n.positionVar) / 100.0f;
        p.position.x = birth.x + offset.x * radius;
        p.position.y = birth.y + offset.y * radius;
        p.position.z = birth.z;
    }

    float v = 0.0f;
    if (n.lifeVar != 0) {
        v = static_cast<float>(m_random.rand() % n.lifeVar) / 100.0f * static_cast<float>(n.life);
    }
    p.lifetime = m_random.coin() ? saturate(static_cast<int64_t>(n.life) + static_cast<int32_t>(v))
                                 : saturate(static_cast<int64_t>(n.life) - static_cast<int32_t>(v));

    p.spreadFactor = n.emitType == kEmitOneDirection ? 0.5f : n.spreadShapeFactor(c);

    int32_t theta = saturate(static_cast<int64_t>(c) + tilt);
    if (theta < 0) theta += 360;
    theta %= 360;
    const SinCos h = sinCosDegrees(theta);
    p.heading = {h.cos, h.sin, 0.0f};

    if (n.emitType == kEmitConverging) {
        float g = 1.0f;
        if (n.positionVar != 0)
            g = 1.0f - static_cast<float>(m_random.rand() % n.positionVar) / 100.0f;
        p.spreadFactor *= g;
        const float distance =
            static_cast<float>(std::max(m_state.projectWidth, m_state.projectHeight) / 2) *
            p.spreadFactor;
        p.position = {birth.x + p.heading.x * distance, birth.y + p.heading.y * distance,
                      birth.z + p.heading.z * distance};
        p.heading = {-p.heading.x, -p.heading.y, -p.heading.z};
    }

    p.baseAngle = n.orientation == kOrientRandom ? m_random.rand() % 360 : 0;

    if (n.spinDirection == kSpinClockwise) {
        p.spin = 1;
    } else if (n.spinDirection == kSpinCounterClockwise) {
        p.spin = -1;
    } else {
        p.spin = m_random.coin() ? 1 : -1;
    }

    p.speedFactor = randomFactor(m_random, n.speedVar);
    p.sizeFactor = randomFactor(m_random, n.sizeVar);
    p.rotationFactor = randomFactor(m_random, n.rotationVar);

    p.parentAlpha = parentAlpha;
    p.parentSize = parentSize;

    // In 64 bits, so that any stored variation is defined; within 0..100 the
    // result is the same as in 32.
    const int32_t b = saturate(int64_t{m_random.rand() % 256} * n.brightnessVar / 100);
    p.brightness = m_random.coin() ? b : -b;

    p.previousPosition = p.position;
    p.node = &n;
    p.fallSpeed = 0.0f;
    p.age = 0;
    return p;
}

}  // namespace sp
