#include "cli/demo_command.h"

#include <iomanip>
#include <iostream>
#include <vector>

#include "cli/arguments.h"
#include "cli/headless_session.h"

namespace sp::cli {
namespace {

void collectPreOrder(EmitterNode& node, std::vector<EmitterNode*>& out) {
    for (auto& child : node.children) {
        out.push_back(child.get());
        collectPreOrder(*child, out);
    }
}

}  // namespace

void buildDemoEffect(Document& d) {
    using F = NodeFieldId;
    EmitterNode& glow = *d.selectedNode();  // ノード1 of the new project
    d.rename(glow, "集束する光");
    d.setNodeFields(glow, {{F::emitType, kEmitConverging},
                           {F::amount, 6},
                           {F::emitEnd, 12},
                           {F::life, 18},
                           {F::lifeVar, 20},
                           {F::maxSpeed, 8},
                           {F::maxSize, 24},
                           {F::blendMode, kBlendAdditive}});
    d.setCurvePoints(glow, kCurveAlpha, {{0, 0}, {40, 100}, {100, 0}});

    d.addNode();  // above the glow
    EmitterNode& burst = *d.selectedNode();
    d.rename(burst, "爆発");
    d.setNodeFields(burst, {{F::emitType, kEmitRadial},
                            {F::amount, 24},
                            {F::amountVar, 30},
                            {F::emitStart, 12},
                            {F::emitEnd, 14},
                            {F::life, 14},
                            {F::lifeVar, 40},
                            {F::maxSpeed, 6},
                            {F::speedVar, 50},
                            {F::maxSize, 32},
                            {F::sizeVar, 30},
                            {F::blendMode, kBlendAdditive}});
    d.setCurvePoints(burst, kCurveSpeed, {{0, 100}, {100, 50}});
    d.setCurvePoints(burst, kCurveAlpha, {{0, 100}, {70, 80}, {100, 0}});

    d.addChildNode();
    EmitterNode& sparks = *d.selectedNode();
    d.rename(sparks, "火花");
    d.setNodeFields(sparks, {{F::emitType, kEmitOneDirection},
                             {F::direction, 90},
                             {F::directionSpread, 60},
                             {F::interval, 2},
                             {F::emitStart, 12},
                             {F::emitEnd, 30},
                             {F::life, 8},
                             {F::maxSpeed, 3},
                             {F::gravity, 40.0f},
                             {F::maxSize, 6},
                             {F::trailLength, 6}});
    d.setCurvePoints(sparks, kCurveSize, {{0, 100}, {100, 20}});

    d.select(&burst);
}

int runDemo(std::ostream& out, SimulationLimits limits) {
    HeadlessSession session(std::cerr, limits);
    if (!session.start()) return 2;
    Document& document = session.document();
    buildDemoEffect(document);

    std::vector<EmitterNode*> nodes;
    collectPreOrder(document.project().tree.root(), nodes);

    out << "frame";
    for (EmitterNode* node : nodes) out << '\t' << node->name;
    out << "\tlive\n";
    // Exactly one pass: frames 1 … frameCount, as an export plays them.
    Playback& playback = session.playback();
    playback.replay(document.state().frameCount, [&](int32_t frame) {
        std::size_t total = 0;
        out << std::setw(3) << frame;
        for (EmitterNode* node : nodes) {
            out << '\t' << node->particles.size();
            total += node->particles.size();
        }
        out << '\t' << total << '\n';
        return true;
    });
    const Simulation& simulation = playback.simulation();
    if (simulation.particleLimitReached() || simulation.trailLimitReached())
        out << cliText(QT_TRANSLATE_NOOP("Sparkplume",
                                         "上限に達したため一部のパーティクルを省略しました。"))
            << '\n';
    return 0;
}

}  // namespace sp::cli
