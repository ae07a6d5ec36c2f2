#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/model/emitter_node.h"
#include "core/model/project_state.h"
#include "core/sim/msvc_random.h"
#include "core/sim/particle.h"

namespace sp {

// Bounds that keep a runaway effect from exhausting memory. Below them the
// simulation behaves exactly as without them; beyond them emissions and trail
// growth are skipped and the simulation says so.
struct SimulationLimits {
    std::size_t maxLiveParticles = 1'000'000;
    std::size_t maxTrailPoints = 20'000'000;
};

// Emission and per-frame update of every particle of the tree, with the one
// random generator the effect draws from.
class Simulation {
  public:
    explicit Simulation(ProjectState& state, SimulationLimits limits = {});

    // One frame of the effect loop. Returns false, changing nothing, without a root.
    bool update(EmitterNode* root);

    // Clears every particle and reseeds, so that the next update starts the loop
    // from its first frame, as an export does.
    void restart(EmitterNode& root);

    // How a replay treats the end of the loop: an export runs on past it, the
    // preview wraps and plays the loop again.
    enum class LoopEnd { RunsOn, Wraps };
    // Called after each update with the frame just made; false stops the replay.
    using FrameVisitor = std::function<bool(int32_t frame)>;

    // Restarts and runs `frames` updates, as the export does: exportInProgress is
    // set meanwhile (unless the loop wraps) and restored afterwards.
    void replay(EmitterNode& root, int32_t frames, const FrameVisitor& afterFrame = {},
                LoopEnd end = LoopEnd::RunsOn);

    // A new particle of `node` born at `birth` travelling in direction c (degrees),
    // with the inherited opacity and size and a tilt in degrees.
    Particle emitParticle(EmitterNode& node, Vec3 birth, int32_t c, float parentAlpha,
                          float parentSize, int32_t tilt);

    MsvcRandom& random() { return m_random; }
    const SimulationLimits& limits() const { return m_limits; }
    void setLimits(SimulationLimits limits) { m_limits = limits; }

    // Whether a limit stopped emissions or trails during the current loop pass.
    bool particleLimitReached() const { return m_particleLimitReached; }
    bool trailLimitReached() const { return m_trailLimitReached; }

    // Live particles and trail positions as of the last update.
    std::size_t liveParticles() const { return m_liveParticles; }
    std::size_t trailPoints() const { return m_trailPoints; }

  private:
    void updateNode(EmitterNode& node, int32_t frame);
    bool updateParticle(Particle& p, EmitterNode& node, int32_t frame);
    void emitIntoChildren(const Particle& p, const EmitterNode& node, int32_t frame);
    bool emitInto(EmitterNode& child, const Particle& parentParticle, int32_t c, float parentAlpha,
                  float parentSize, int32_t tilt);
    void countLiveParticles(const EmitterNode& root);

    ProjectState& m_state;
    SimulationLimits m_limits;
    MsvcRandom m_random;
    std::size_t m_liveParticles = 0;
    std::size_t m_trailPoints = 0;
    bool m_particleLimitReached = false;
    bool m_trailLimitReached = false;
};

}  // namespace sp
