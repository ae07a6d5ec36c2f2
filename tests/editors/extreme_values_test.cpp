// Values typed into the pages that the effect cannot follow sensibly still play
// and draw: nothing crashes or hangs, and the caption says when a limit cut in.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <cmath>

#include "editors/number_field.h"
#include "editors/parameter_panel.h"
#include "panels/panels_test_support.h"
#include "render/export_frame.h"

namespace sp {
namespace {

using F = NodeFieldId;

class ExtremeValuesTest : public ::testing::Test {
  protected:
    ExtremeValuesTest()
        : root(testing::pathOf(temp)),
          context(prompts, {root / "work", root / "program", false, {300, 3000}}),
          doc(context.document()),
          panel(doc) {
        std::filesystem::create_directories(root / "program");
        context.start();
        panel.resize(250, 684);
        panel.show();
    }

    void type(F id, const char* text) {
        NumberField* field = panel.numberField(id);
        for (int i = 0; i < pages::kPageCount; ++i)
            if (panel.page(i)->isAncestorOf(field)) panel.setCurrentPage(i);
        field->lineEdit()->selectAll();
        QTest::keyClick(field->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(field->lineEdit(), QString::fromLatin1(text));
    }

    // Plays and draws `frames` frames; the time it took in milliseconds.
    qint64 playAndDraw(int frames) {
        QElapsedTimer clock;
        clock.start();
        render::ExportFrameRenderer renderer(doc.state(), doc.project().materials.textures());
        for (int i = 0; i < frames; ++i) {
            context.playback().advance();
            renderer.render(doc.root(), false);
        }
        return clock.elapsed();
    }

    QTemporaryDir temp;
    std::filesystem::path root;
    testing::ScriptedPrompts prompts;
    AppContext context;
    Document& doc;
    ParameterPanel panel;
};

TEST_F(ExtremeValuesTest, HugeAndNegativeValuesPlayWithinTheLimits) {
    EmitterNode* top = doc.selectedNode();
    type(F::amount, "-5");
    EXPECT_EQ(top->amount, -5);
    type(F::emitEnd, "9999");
    ASSERT_TRUE(doc.addChildNode());
    EmitterNode* child = doc.selectedNode();
    type(F::life, "2147483647");
    type(F::lifeVar, "100");
    type(F::interval, "0");
    type(F::intervalVar, "50");
    type(F::amount, "99999999999");
    type(F::emitEnd, "9999");
    type(F::maxSpeed, "1e30");
    type(F::maxSize, "2147483647");
    type(F::brightnessVar, "2147483647");
    type(F::positionVar, "-2147483648");
    type(F::gravity, "99999999999999999999999999999999999999999");
    type(F::trailLength, "2147483647");
    EXPECT_EQ(child->life, 2147483647);
    EXPECT_EQ(child->amount, 2147483647);
    EXPECT_EQ(child->maxSpeed, 1);
    EXPECT_TRUE(std::isinf(child->gravity));

    // The top node emits nothing with a negative amount: give it one particle.
    doc.select(top);
    type(F::amount, "1");
    EXPECT_LT(playAndDraw(12), 60000);
    EXPECT_TRUE(context.playback().simulation().particleLimitReached());
    EXPECT_NE(context.playback().caption().find("上限"), std::string::npos);
}

TEST_F(ExtremeValuesTest, TheSpreadAndTheDirectionTakeAnyNumber) {
    doc.setNodeField(*doc.selectedNode(), F::emitType, int32_t{kEmitOneDirection});
    type(F::directionSpread, "-2147483648");
    type(F::emitEnd, "9999");
    type(F::amount, "50");
    EXPECT_LT(playAndDraw(5), 60000);
    doc.setNodeField(*doc.selectedNode(), F::direction, int32_t{-2147483647 - 1});
    doc.setNodeField(*doc.selectedNode(), F::emitType, int32_t{kEmitRadial});
    type(F::amount, "3");
    EXPECT_LT(playAndDraw(5), 60000);
    panel.setCurrentPage(pages::kEmissionPage);
    panel.grab();  // the dial draws whatever the node holds
}

}  // namespace
}  // namespace sp
