// The parameter panel driven as a user drives it, over a document in a
// throw-away workspace: tabs, scrolling, typing, clicking, dragging, undo.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "editors/direction_dial.h"
#include "editors/graph.h"
#include "editors/number_field.h"
#include "editors/parameter_panel.h"
#include "panels/panels_test_support.h"

namespace sp {
namespace {

using F = NodeFieldId;

// Everything of a node that the panel can change, to compare before and after.
struct NodeSnapshot {
    std::vector<NodeFieldValue> fields;
    std::vector<std::vector<CurvePoint>> curves;
    std::vector<SampleTable> tables;

    explicit NodeSnapshot(const EmitterNode& n) {
        for (const NodeField& f : nodeFields())
            if (f.kind != NodeFieldKind::Curves) fields.push_back(nodeFieldValue(n, f.id));
        for (const Curve& c : n.curves) curves.push_back(c.points);
        tables = {n.redSamples,   n.greenSamples,    n.blueSamples, n.alphaSamples,
                  n.speedSamples, n.rotationSamples, n.sizeSamples};
    }
    bool operator==(const NodeSnapshot&) const = default;
};

class ParameterPanelTest : public testing::PanelTestBase {
  protected:
    ParameterPanelTest() : panel(doc) {
        panel.resize(250, 684);
        panel.show();
        QApplication::setActiveWindow(&panel);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&panel));
    }

    EmitterNode& node() { return *doc.selectedNode(); }
    NumberField* field(F id) { return panel.numberField(id); }
    int steps() { return doc.undoStack().count(); }

    // A visit of the field: it gets the focus, its text is replaced by typing.
    void type(F id, const QString& text) {
        NumberField* f = field(id);
        panel.setCurrentPage(pageOf(f));
        leaveFields();
        f->lineEdit()->setFocus();
        f->lineEdit()->selectAll();
        QTest::keyClick(f->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(f->lineEdit(), text);
    }
    // The focus goes elsewhere, which ends a field's visit.
    void leaveFields() {
        panel.setFocus();
        QCoreApplication::processEvents();
    }
    int pageOf(const QWidget* control) {
        for (int i = 0; i < pages::kPageCount; ++i)
            if (panel.page(i)->isAncestorOf(control)) return i;
        return -1;
    }
    // A press on the sheet, as on the tab strip.
    void pressSheet(QPoint at) { QTest::mouseClick(panel.sheet(), Qt::LeftButton, {}, at); }
    void clickArrow(NumberField* f, bool up) {
        QTest::mouseClick(f->arrows(), Qt::LeftButton, {},
                          QPoint(5, up ? 3 : f->arrows()->height() - 3));
    }

    ParameterPanel panel;
};

TEST_F(ParameterPanelTest, TabsChooseThePageAndOnlyThatPageShows) {
    EXPECT_EQ(panel.currentPage(), pages::kEmissionPage);
    pressSheet({235, 150});
    EXPECT_EQ(panel.currentPage(), pages::kTexturePage);
    EXPECT_TRUE(panel.page(pages::kTexturePage)->isVisible());
    EXPECT_FALSE(panel.page(pages::kEmissionPage)->isVisible());
    pressSheet({221, 599});
    EXPECT_EQ(panel.currentPage(), pages::kRotationPage);
    // Below the last tab, and left of the tab strip, a press chooses nothing.
    pressSheet({235, 650});
    pressSheet({219, 150});
    EXPECT_EQ(panel.currentPage(), pages::kRotationPage);
}

TEST_F(ParameterPanelTest, ScrollingMovesSectionsAndControlsByLinesAndPages) {
    panel.resize(250 + panel.verticalScrollBar()->sizeHint().width(), 400);
    QCoreApplication::processEvents();
    QScrollBar* bar = panel.verticalScrollBar();
    EXPECT_EQ(bar->maximum(), 684 - panel.viewport()->height());
    EXPECT_EQ(bar->singleStep(), 1);
    EXPECT_EQ(bar->pageStep(), 100);
    NumberField* spread = field(F::directionSpread);
    const QPoint before = spread->mapTo(panel.viewport(), QPoint(0, 0));
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(spread->mapTo(panel.viewport(), QPoint(0, 0)), before - QPoint(0, 1));
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar->value(), 101);
    EXPECT_EQ(panel.sheet()->mapTo(panel.viewport(), QPoint(0, 0)), QPoint(0, -101));
    // The tabs scroll with the pages: the second tab is now at 100 − 101.
    pressSheet({235, 100});
    EXPECT_EQ(panel.currentPage(), pages::kTexturePage);
}

TEST_F(ParameterPanelTest, ControlsSitAtTheirSectionsOffsets) {
    EXPECT_EQ(field(F::directionSpread)->geometry(), QRect(130, 30, 45, 25));
    EXPECT_EQ(field(F::emitEnd)->geometry(), QRect(100, 410, 55, 25));
    EXPECT_EQ(field(F::amountVar)->geometry(), QRect(130, 560, 45, 25));
    EXPECT_EQ(field(F::gravity)->geometry(), QRect(25, 265, 67, 25));
    EXPECT_EQ(panel.radioButton(F::emitType, kEmitConverging)->geometry(), QRect(25, 90, 50, 30));
    EXPECT_EQ(panel.checkBox(F::inheritTilt)->geometry(), QRect(25, 293, 150, 30));
    EXPECT_EQ(panel.checkBox(F::keepAspect)->geometry(), QRect(25, 300, 130, 30));
    EXPECT_EQ(panel.radioButton(F::spinDirection, kSpinCounterClockwise)->geometry(),
              QRect(25, 295, 110, 30));
    EXPECT_EQ(panel.pictureList(true)->geometry().topLeft(), QPoint(25, 270));
    EXPECT_EQ(panel.curveEditor(kCurveAlpha)->geometry(), QRect(25, 465, 180, 100));
    EXPECT_EQ(panel.curveEditor(kCurveSpeed)->geometry(), QRect(25, 50, 180, 100));
    // The dial's face is centred on (115, 230).
    const QRect dial = panel.dial()->geometry();
    EXPECT_EQ(dial.topLeft() + QPoint(DirectionDial::kCentre, DirectionDial::kCentre),
              QPoint(115, 230));
    // The tab labels, blanks included.
    EXPECT_EQ(pages::parameterPages()[2].tab, " 　移動");
    EXPECT_EQ(pages::parameterPages()[5].tab, "   回転");
}

TEST_F(ParameterPanelTest, TheSpreadFieldStoresAtMost360AndItsArrowsStopAt359) {
    type(F::directionSpread, QStringLiteral("500"));
    EXPECT_EQ(node().directionSpread, 360);
    EXPECT_EQ(field(F::directionSpread)->text(), QStringLiteral("500"));
    clickArrow(field(F::directionSpread), true);
    EXPECT_EQ(field(F::directionSpread)->text(), QStringLiteral("359"));
    EXPECT_EQ(node().directionSpread, 359);
    clickArrow(field(F::directionSpread), true);
    EXPECT_EQ(node().directionSpread, 359);
    clickArrow(field(F::directionSpread), false);
    EXPECT_EQ(node().directionSpread, 358);
}

TEST_F(ParameterPanelTest, TheEmissionTypeDecidesWhatCanBeEditedAndWhatTheDialShows) {
    NumberField* spread = field(F::directionSpread);
    QCheckBox* evenly = panel.checkBox(F::evenlySpaced);
    // Left of the centre, short of where the arrow's label begins.
    const QPoint left(DirectionDial::kCentre - 45, DirectionDial::kCentre);
    auto dialShowsWhiteAt = [&](QPoint p) {
        return panel.dial()->grab().toImage().pixelColor(p) == QColor(Qt::white);
    };
    ASSERT_EQ(node().emitType, kEmitOneDirection);
    EXPECT_TRUE(spread->isEditEnabled());
    EXPECT_FALSE(evenly->isEnabled());
    EXPECT_FALSE(dialShowsWhiteAt(left));  // the arrow points right

    QTest::mouseClick(panel.radioButton(F::emitType, kEmitRadial), Qt::LeftButton);
    EXPECT_EQ(node().emitType, kEmitRadial);
    EXPECT_FALSE(spread->isEditEnabled());
    EXPECT_TRUE(evenly->isEnabled());
    EXPECT_TRUE(dialShowsWhiteAt(left));  // the spoke at 180°
    // The arrows of the disabled edit box still step.
    clickArrow(spread, true);
    EXPECT_EQ(node().directionSpread, 1);

    QTest::mouseClick(panel.radioButton(F::emitType, kEmitOneDirection), Qt::LeftButton);
    EXPECT_TRUE(spread->isEditEnabled());
    EXPECT_FALSE(evenly->isEnabled());
    EXPECT_FALSE(dialShowsWhiteAt(left));
}

TEST_F(ParameterPanelTest, TheInheritanceBoxesAreForNodesBelowAnotherNode) {
    const std::vector<QCheckBox*> boxes = {panel.checkBox(F::inheritTilt),
                                           panel.checkBox(F::inheritAlpha),
                                           panel.checkBox(F::inheritSize)};
    for (QCheckBox* box : boxes) EXPECT_FALSE(box->isEnabled());
    EmitterNode* top = &node();
    ASSERT_TRUE(doc.addChildNode());
    ASSERT_EQ(node().parent, top);
    for (QCheckBox* box : boxes) EXPECT_TRUE(box->isEnabled());
    panel.setCurrentPage(pages::kColourPage);
    QTest::mouseClick(panel.checkBox(F::inheritAlpha), Qt::LeftButton);
    EXPECT_EQ(node().inheritAlpha, 1);
    doc.select(top);
    for (QCheckBox* box : boxes) EXPECT_FALSE(box->isEnabled());
    EXPECT_FALSE(panel.checkBox(F::inheritAlpha)->isChecked());
}

TEST_F(ParameterPanelTest, TheHeightFollowsTheSizeWhileTheAspectIsFixed) {
    NumberField* height = field(F::maxHeight);
    ASSERT_EQ(node().keepAspect, 1);
    type(F::maxSize, QStringLiteral("80"));
    EXPECT_EQ(node().maxSize, 80);
    EXPECT_EQ(node().maxHeight, 80);
    EXPECT_EQ(height->text(), QStringLiteral("80"));
    EXPECT_FALSE(height->isEditEnabled());
    const int before = steps();

    QTest::mouseClick(panel.checkBox(F::keepAspect), Qt::LeftButton);
    EXPECT_EQ(node().keepAspect, 0);
    EXPECT_EQ(node().maxHeight, 80);
    EXPECT_TRUE(height->isEditEnabled());
    type(F::maxSize, QStringLiteral("30"));
    EXPECT_EQ(node().maxHeight, 80);
    EXPECT_EQ(height->text(), QStringLiteral("80"));

    // Fixing the aspect again makes the height the size, in the same step.
    QTest::mouseClick(panel.checkBox(F::keepAspect), Qt::LeftButton);
    EXPECT_EQ(node().maxHeight, 30);
    EXPECT_EQ(height->text(), QStringLiteral("30"));
    EXPECT_EQ(steps(), before + 3);
    doc.undoStack().undo();
    EXPECT_EQ(node().keepAspect, 0);
    EXPECT_EQ(node().maxHeight, 80);
    EXPECT_EQ(height->text(), QStringLiteral("80"));
    EXPECT_TRUE(height->isEditEnabled());
}

TEST_F(ParameterPanelTest, APictureIsChosenByNumberAndName) {
    // Without materials the list holds "なし" alone, and choosing stores no picture.
    doc.setNodeFields(node(), {{F::imageIndex, 2}, {F::imageName, std::string("gone")}});
    panel.setCurrentPage(pages::kTexturePage);
    ASSERT_EQ(panel.pictureList(false)->count(), 1);
    emit panel.pictureList(false)->activated(0);
    EXPECT_EQ(node().imageIndex, 0);
    EXPECT_EQ(node().imageName, "");

    const auto textures = context.workspace().textureDir();
    for (const char* name : {"a_spark.png", "b_smoke.png", "c_ring.png"})
        testing::writePicture(textures / name, 4, 4);
    doc.reloadMaterials();
    panel.setCurrentPage(pages::kTexturePage);
    QComboBox* images = panel.pictureList(false);
    ASSERT_EQ(images->count(), 4);
    EXPECT_EQ(images->itemText(0), QStringLiteral("なし"));
    const std::string third = doc.project().materials.materials()[2].name;
    EXPECT_EQ(images->itemText(3).toStdString(), third);

    const int before = steps();
    images->setCurrentIndex(3);
    emit images->activated(3);
    EXPECT_EQ(node().imageIndex, 3);
    EXPECT_EQ(node().imageName, third);
    EXPECT_EQ(steps(), before + 1);  // index and name in one step
    images->setCurrentIndex(0);
    emit images->activated(0);
    EXPECT_EQ(node().imageIndex, 0);
    EXPECT_EQ(node().imageName, "");

    QComboBox* trail = panel.pictureList(true);
    trail->setCurrentIndex(1);
    emit trail->activated(1);
    EXPECT_EQ(node().trailImageIndex, 1);
    EXPECT_EQ(node().trailImageName, doc.project().materials.materials()[0].name);
    doc.undoStack().undo();
    EXPECT_EQ(trail->currentIndex(), 0);
}

TEST_F(ParameterPanelTest, AStoredValueWithoutAButtonShowsNoneOn) {
    doc.setNodeField(node(), F::blendMode, int32_t{kBlendDarken});
    QRadioButton* normal = panel.radioButton(F::blendMode, kBlendNormal);
    QRadioButton* additive = panel.radioButton(F::blendMode, kBlendAdditive);
    EXPECT_FALSE(normal->isChecked());
    EXPECT_FALSE(additive->isChecked());
    panel.setCurrentPage(pages::kTexturePage);
    QTest::mouseClick(additive, Qt::LeftButton);
    EXPECT_EQ(node().blendMode, kBlendAdditive);
    EXPECT_TRUE(additive->isChecked());
    doc.undoStack().undo();
    EXPECT_FALSE(additive->isChecked());

    panel.setCurrentPage(pages::kRotationPage);
    QTest::mouseClick(panel.radioButton(F::spinDirection, kSpinRandom), Qt::LeftButton);
    EXPECT_EQ(node().spinDirection, kSpinRandom);
}

TEST_F(ParameterPanelTest, EachVisitOfAFieldIsOneUndoStepAndShowingANodeIsNone) {
    // A new node shows its values, zeros included.
    EXPECT_EQ(field(F::positionVar)->text(), QStringLiteral("0"));
    EXPECT_EQ(field(F::directionSpread)->text(), QStringLiteral("0"));
    EXPECT_EQ(field(F::life)->text(), QString::number(doc.state().frameCount));
    const int before = steps();
    type(F::amount, QStringLiteral("123"));
    EXPECT_EQ(node().amount, 123);
    EXPECT_EQ(steps(), before + 1);
    type(F::amount, QStringLiteral("7"));
    EXPECT_EQ(steps(), before + 2);
    // Text that is not a number is stored as atoi reads it, unclamped.
    type(F::life, QStringLiteral("-12abc"));
    EXPECT_EQ(node().life, -12);
    EXPECT_EQ(steps(), before + 3);

    // Selecting and switching pages show the node and edit nothing.
    EmitterNode* first = &node();
    ASSERT_TRUE(doc.addNode());
    EmitterNode* added = &node();
    ASSERT_NE(added, first);
    const int afterAdd = steps();
    EXPECT_EQ(field(F::amount)->text(), QStringLiteral("1"));
    doc.select(first);
    panel.setCurrentPage(pages::kSizePage);
    panel.setCurrentPage(pages::kEmissionPage);
    EXPECT_EQ(steps(), afterAdd);
    EXPECT_EQ(field(F::amount)->text(), QStringLiteral("7"));
    EXPECT_EQ(field(F::life)->text(), QStringLiteral("-12"));

    // Undo shows each node as it was, and selects it.
    doc.select(added);
    doc.undoStack().undo();  // the added node
    doc.undoStack().undo();  // the life
    EXPECT_EQ(doc.selectedNode(), first);
    EXPECT_EQ(field(F::life)->text(), QString::number(doc.state().frameCount));
    doc.undoStack().undo();
    EXPECT_EQ(field(F::amount)->text(), QStringLiteral("123"));
    EXPECT_EQ(node().amount, 123);
}

TEST_F(ParameterPanelTest, NumberOnlyFieldsTakeDigitsAndTheGravityIsReadAsAReal) {
    type(F::interval, QStringLiteral("4x5"));
    EXPECT_EQ(field(F::interval)->text(), QStringLiteral("45"));
    EXPECT_EQ(node().interval, 45);
    type(F::gravity, QStringLiteral("-12"));
    EXPECT_FLOAT_EQ(node().gravity, -12.0f);
    // Only the integer part shows of a gravity from a file.
    doc.setNodeField(node(), F::gravity, 3.7f);
    EXPECT_EQ(field(F::gravity)->text(), QStringLiteral("3"));
}

TEST_F(ParameterPanelTest, TheWheelStepsAFieldLikeItsArrows) {
    NumberField* percent = field(F::positionVar);
    auto wheel = [&](int notches) {
        const QPoint at(10, 10);
        QWheelEvent event(at, percent->lineEdit()->mapToGlobal(at), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(percent->lineEdit(), &event);
    };
    wheel(2);
    EXPECT_EQ(node().positionVar, 2);
    wheel(-5);
    EXPECT_EQ(node().positionVar, 0);
    type(F::positionVar, QStringLiteral("99"));
    wheel(3);
    EXPECT_EQ(node().positionVar, 100);
    // The panel itself does not scroll while the wheel turns a field.
    EXPECT_EQ(panel.verticalScrollBar()->value(), 0);
}

TEST_F(ParameterPanelTest, ADragOfACurvePointIsOneUndoStepThatRestoresNodeAndTables) {
    panel.setCurrentPage(pages::kMovementPage);
    Graph* speed = panel.curveEditor(kCurveSpeed);
    const NodeSnapshot before(node());
    const int stepsBefore = steps();
    ASSERT_FALSE(doc.isModified());

    QTest::mousePress(speed, Qt::LeftButton, {}, QPoint(88, 30));
    for (int y = 32; y <= 80; y += 8) QTest::mouseMove(speed, QPoint(88, y));
    QTest::mouseRelease(speed, Qt::LeftButton, {}, QPoint(88, 80));
    ASSERT_EQ(node().curves[kCurveSpeed].points.size(), 3u);
    EXPECT_EQ(steps(), stepsBefore + 1);
    EXPECT_TRUE(doc.isModified());
    // The middle of the speed table now runs backwards.
    EXPECT_LT(node().speedSamples[50], 0);
    EXPECT_EQ(node().speedSamples[0], 100);

    doc.undoStack().undo();
    EXPECT_EQ(NodeSnapshot(node()), before);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(speed->editing().curve().points.size(), 2u);
}

TEST_F(ParameterPanelTest, ARightClickRemovesAPointOrOffersToResetTheCurve) {
    panel.setCurrentPage(pages::kRotationPage);
    Graph* rotation = panel.curveEditor(kCurveRotation);
    const NodeSnapshot fresh(node());
    QTest::mouseClick(rotation, Qt::LeftButton, {}, QPoint(60, 20));
    QTest::mouseClick(rotation, Qt::LeftButton, {}, QPoint(130, 70));
    ASSERT_EQ(node().curves[kCurveRotation].points.size(), 4u);
    // On a point: it goes, as one step.
    const int withPoints = steps();
    QTest::mouseClick(rotation, Qt::RightButton, {}, QPoint(130, 70));
    EXPECT_EQ(node().curves[kCurveRotation].points.size(), 3u);
    EXPECT_EQ(steps(), withPoints + 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    // Elsewhere: the menu, whose one entry brings back a new node's curve.
    QTest::mouseClick(rotation, Qt::RightButton, {}, QPoint(160, 90));
    ASSERT_EQ(QApplication::activePopupWidget(), rotation->menu());
    ASSERT_EQ(rotation->menu()->actions().size(), 1);
    EXPECT_EQ(rotation->menu()->actions()[0]->text(), QStringLiteral("リセット"));
    rotation->menu()->actions()[0]->trigger();
    rotation->menu()->close();
    EXPECT_EQ(NodeSnapshot(node()), fresh);
    EXPECT_EQ(steps(), withPoints + 2);
    doc.undoStack().undo();
    EXPECT_EQ(node().curves[kCurveRotation].points.size(), 3u);
}

TEST_F(ParameterPanelTest, TheDialTurnsTheDirectionAndPaintsTheSpread) {
    DirectionDial* dial = panel.dial();
    const QPoint c(DirectionDial::kCentre, DirectionDial::kCentre);
    const int before = steps();
    QTest::mousePress(dial, Qt::LeftButton, {}, c + QPoint(0, 40));
    EXPECT_EQ(node().direction, 90);
    QTest::mouseMove(dial, c + QPoint(-40, 0));
    EXPECT_EQ(node().direction, 180);
    QTest::mouseMove(dial, c + QPoint(0, -40));
    QTest::mouseRelease(dial, Qt::LeftButton, {}, c + QPoint(0, -40));
    EXPECT_EQ(node().direction, 270);
    EXPECT_EQ(steps(), before + 1);
    // Outside the sensitive square nothing changes.
    QTest::mouseClick(dial, Qt::LeftButton, {}, c + QPoint(66, 0));
    EXPECT_EQ(node().direction, 270);

    // A spread: a spoke per position, a circle with SHIFT, a double-click resets.
    doc.setNodeField(node(), F::emitType, int32_t{kEmitRadial});
    QTest::mouseClick(dial, Qt::LeftButton, {}, c + QPoint(0, 40));
    EXPECT_EQ(node().spreadShape[8], 40);
    EXPECT_EQ(node().spreadShape[7], 50);
    QTest::mouseClick(dial, Qt::LeftButton, Qt::ShiftModifier, c + QPoint(30, 0));
    for (int32_t r : node().spreadShape) EXPECT_EQ(r, 30);
    QTest::mouseDClick(dial, Qt::LeftButton, {}, c + QPoint(5, 5));
    QTest::mouseRelease(dial, Qt::LeftButton, {}, c + QPoint(5, 5));
    for (int32_t r : node().spreadShape) EXPECT_EQ(r, 50);
}

}  // namespace
}  // namespace sp
