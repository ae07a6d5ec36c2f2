#include "cli/demo_command.h"

#include <iomanip>
#include <vector>

#include "cli/console_prompts.h"

namespace sp::cli {
namespace {

void collectPreOrder(EmitterNode& node, std::vector<EmitterNode*>& out) {
    for (auto& child : node.children) {
        out.push_back(child.get());
        collectPreOrder(*child, out);
    }
}

}  // namespace

void buildDemoEffect(NodeTree& tree, ProjectState& state) {
    state.resetHeaderForNewProject();
    tree.clear();
    EmitterNode& glow = tree.insertNewNode(tree.root(), 0);
    glow.name = "集束する光";
    glow.emitType = kEmitConverging;
    glow.amount = 6;
    glow.emitEnd = 12;
    glow.life = 18;
    glow.lifeVar = 20;
    glow.maxSpeed = 8;
    glow.maxSize = 24;
    glow.blendMode = kBlendAdditive;
    glow.setCurvePoints(kCurveAlpha, {{0, 0}, {40, 100}, {100, 0}});

    EmitterNode& burst = tree.insertNewNode(tree.root(), 0);
    burst.name = "爆発";
    burst.emitType = kEmitRadial;
    burst.amount = 24;
    burst.amountVar = 30;
    burst.emitStart = 12;
    burst.emitEnd = 14;
    burst.life = 14;
    burst.lifeVar = 40;
    burst.maxSpeed = 6;
    burst.speedVar = 50;
    burst.maxSize = 32;
    burst.sizeVar = 30;
    burst.blendMode = kBlendAdditive;
    burst.setCurvePoints(kCurveSpeed, {{0, 100}, {100, 50}});
    burst.setCurvePoints(kCurveAlpha, {{0, 100}, {70, 80}, {100, 0}});

    EmitterNode& sparks = tree.insertNewNode(burst, 0);
    sparks.name = "火花";
    sparks.emitType = kEmitOneDirection;
    sparks.direction = 90;
    sparks.directionSpread = 60;
    sparks.interval = 2;
    sparks.emitStart = 12;
    sparks.emitEnd = 30;
    sparks.life = 8;
    sparks.maxSpeed = 3;
    sparks.gravity = 40.0f;
    sparks.maxSize = 6;
    sparks.trailLength = 6;
    sparks.setCurvePoints(kCurveSize, {{0, 100}, {100, 20}});

    tree.select(&burst);
    state.isDirty = 0;
}

int runDemo(std::ostream& out, SimulationLimits limits) {
    ProjectState state;
    ConsolePrompts prompts;
    NodeTree tree(state, prompts);
    buildDemoEffect(tree, state);

    std::vector<EmitterNode*> nodes;
    collectPreOrder(tree.root(), nodes);

    Simulation simulation(state, limits);
    simulation.restart(tree.root());
    state.exportInProgress = 1;  // run exactly one pass, frames 1..frameCount

    out << "frame";
    for (EmitterNode* node : nodes) out << '\t' << node->name;
    out << "\tlive\n";
    for (int frame = 1; frame <= state.frameCount; ++frame) {
        simulation.update(&tree.root());
        std::size_t total = 0;
        out << std::setw(3) << state.currentFrame;
        for (EmitterNode* node : nodes) {
            out << '\t' << node->particles.size();
            total += node->particles.size();
        }
        out << '\t' << total << '\n';
    }
    if (simulation.particleLimitReached() || simulation.trailLimitReached())
        out << "上限に達したため一部のパーティクルを省略しました。\n";
    return 0;
}

}  // namespace sp::cli
