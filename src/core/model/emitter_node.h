#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/curves/curve.h"
#include "core/sim/particle.h"

namespace sp {

enum EmitType : int32_t { kEmitRadial = 0, kEmitOneDirection = 1, kEmitConverging = 2 };
enum SpinDirection : int32_t { kSpinClockwise = 0, kSpinCounterClockwise = 1, kSpinRandom = 2 };
enum BlendMode : int32_t { kBlendNormal = 0, kBlendAdditive = 1, kBlendDarken = 2 };
enum Orientation : int32_t { kOrientFixed = 0, kOrientTravel = 1, kOrientRandom = 2 };

// The seven curves of a node, in slot order.
enum CurveSlot : std::size_t {
    kCurveRed = 0,
    kCurveGreen = 1,
    kCurveBlue = 2,
    kCurveAlpha = 3,
    kCurveSpeed = 4,
    kCurveRotation = 5,
    kCurveSize = 6,
    kCurveCount = 7
};

inline constexpr std::size_t kSpreadShapeSize = 32;
inline constexpr int32_t kRootLife = 2147483647;

// One node of the effect tree: one particle setting, its curves and its live particles.
// Children are held by owning pointers, so a node never moves while it exists:
// particles, the selection and views may keep plain pointers to it.
struct EmitterNode {
    // A node with the new-node defaults; `frameCount` is the project's loop length.
    explicit EmitterNode(int32_t frameCount);
    ~EmitterNode();
    EmitterNode(const EmitterNode&) = delete;
    EmitterNode& operator=(const EmitterNode&) = delete;

    std::vector<std::unique_ptr<EmitterNode>> children;
    EmitterNode* parent = nullptr;
    std::vector<Particle> particles;

    // The saved parameters, interleaved with the tables sampled from the curves. Their
    // defaults, editing ranges and file order are in the node field table
    // (node_fields.h), which the constructor and resetAsRoot apply.
    std::string name;  // UTF-8
    std::array<int32_t, kSpreadShapeSize> spreadShape{};
    int32_t emitType{};
    int32_t direction{};
    int32_t inheritTilt{};
    int32_t interval{};
    int32_t intervalVar{};
    int32_t amount{};
    int32_t amountVar{};
    int32_t positionVar{};
    int32_t emitStart{};
    int32_t emitEnd{};
    int32_t life{};
    int32_t lifeVar{};
    int32_t evenlySpaced{};
    int32_t directionSpread{};
    SampleTable redSamples{};
    SampleTable greenSamples{};
    SampleTable blueSamples{};
    SampleTable alphaSamples{};
    int32_t inheritAlpha{};
    int32_t brightnessVar{};
    SampleTable sizeSamples{};
    int32_t maxSize{};
    int32_t sizeVar{};
    int32_t inheritSize{};
    int32_t maxHeight{};
    int32_t keepAspect{};
    int32_t maxSpeed{};
    int32_t speedVar{};
    SampleTable speedSamples{};
    float gravity{};
    int32_t maxAngle{};
    int32_t rotationVar{};
    SampleTable rotationSamples{};
    int32_t spinDirection{};
    std::string imageName;
    int32_t imageIndex{};
    int32_t blendMode{};
    int32_t orientation{};
    std::string trailImageName;
    int32_t trailImageIndex{};
    int32_t trailLength{};
    std::array<Curve, kCurveCount> curves;
    int32_t hidden{};

    // Trail positions held by this node's particles; kept by the simulation.
    std::size_t trailPointCount = 0;

    // Gives the root its per-loop defaults; children and particles stay.
    void resetAsRoot();

    // Receives `source`'s name, parameters and curves, then a copy of each of its
    // children in order. This node must be freshly constructed and childless.
    // Not copied: parent, particles and hidden.
    void copySettingsFrom(const EmitterNode& source, int32_t frameCount);

    // Empties the particle lists of this node and all its descendants.
    void clearParticles();

    // Sets every child's parent to the node that holds it, recursively.
    void relinkParents();

    // Re-derives imageIndex and trailImageIndex from the names: the 1-based
    // position of the name in the material list, 0 when absent or empty.
    void resolveMaterials(const std::vector<std::string>& materialNames);

    // Index of `child` among the children, or -1.
    int indexOfChild(const EmitterNode* child) const;

    // Copies the node tables from the curves (red, green, blue, alpha, size, speed, rotation).
    void copyAllSamplesFromCurves();

    // Gives a curve new points, samples it and copies its table into the node.
    void setCurvePoints(CurveSlot slot, std::vector<CurvePoint> points);

    // Reads a sample table at an age: index age × 100 / lifetime, 0 for lifetime 0.
    static int32_t sampleAt(const SampleTable& table, int32_t age, int32_t lifetime) {
        if (lifetime == 0) return 0;
        int64_t index = static_cast<int64_t>(age) * 100 / lifetime;
        if (index < 0) index = 0;
        if (index > 100) index = 100;
        return table[static_cast<std::size_t>(index)];
    }

    // Speed factor of the spread shape for a direction of c degrees (50 in both neighbours → 1.0).
    float spreadShapeFactor(int32_t c) const;

  private:
    void copyParametersFrom(const EmitterNode& source);
};

}  // namespace sp
