// The help bar follows the mouse over the parameter pages: the text of the
// control under it, none over anything else, repainted whenever it changes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "editors/direction_dial.h"
#include "editors/graph.h"
#include "editors/help_bar.h"
#include "editors/number_field.h"
#include "editors/parameter_panel.h"
#include "panels/panels_test_support.h"

namespace sp {
namespace {

using F = NodeFieldId;

// Counts its paints, to tell a repaint from none.
class CountingHelpBar : public HelpBar {
  public:
    using HelpBar::HelpBar;
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        HelpBar::paintEvent(event);
    }
};

class HelpBarTest : public testing::PanelTestBase {
  protected:
    HelpBarTest() : panel(new ParameterPanel(doc, &window)), bar(new CountingHelpBar(&window)) {
        window.resize(600, 720);
        panel->setGeometry(350, 0, 250, 684);
        bar->setGeometry(0, 688, 600, 32);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The mouse comes to `at` in `widget` (its middle by default).
    QString hover(QWidget* widget, QPoint at = QPoint(-1, -1)) {
        if (at == QPoint(-1, -1)) at = widget->rect().center();
        QTest::mouseMove(widget, at);
        QCoreApplication::processEvents();
        return bar->text();
    }

    QWidget window;
    ParameterPanel* panel;
    CountingHelpBar* bar;
};

TEST_F(HelpBarTest, EveryControlOfEveryPageShowsItsTextAndTheBackgroundNone) {
    for (int i = 0; i < pages::kPageCount; ++i) {
        panel->setCurrentPage(i);
        QCoreApplication::processEvents();
        for (QWidget* control :
             panel->page(i)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control == panel->dial()) continue;
            const QString expected = helpTextFor(control, control->mapToGlobal(QPoint(1, 1)));
            SCOPED_TRACE(control->metaObject()->className());
            EXPECT_FALSE(expected.isEmpty());
            // A point of the control that nothing lies over, also for the combo
            // boxes and the check box beside the dial.
            EXPECT_EQ(hover(control, QPoint(control->width() - 3, control->height() / 2)),
                      expected);
        }
    }
    panel->setCurrentPage(pages::kEmissionPage);
    QCoreApplication::processEvents();
    EXPECT_FALSE(hover(panel->numberField(F::life)).isEmpty());
    EXPECT_EQ(hover(panel->page(0), QPoint(5, 5)), QString());
}

TEST_F(HelpBarTest, TheTextsAreTheProgramsOwn) {
    EXPECT_EQ(hover(panel->numberField(F::life)->lineEdit()),
              QStringLiteral("パーティクルが消滅するまでのフレーム数を指定します。"));
    EXPECT_EQ(hover(panel->numberField(F::life)->arrows()),
              QStringLiteral("パーティクルが消滅するまでのフレーム数を指定します。"));
    panel->setCurrentPage(pages::kMovementPage);
    EXPECT_EQ(
        hover(panel->numberField(F::speedVar)),
        QStringLiteral("パーティクルの速度をばらつかせます。100%にすると、指定した値の0～2倍にな"
                       "ります。"));
    panel->setCurrentPage(pages::kSizePage);
    EXPECT_FALSE(hover(panel->checkBox(F::keepAspect)).isEmpty());
}

TEST_F(HelpBarTest, TheDialsTextFollowsTheEmissionTypeAndEndsAtItsSquare) {
    DirectionDial* dial = panel->dial();
    const QPoint c(DirectionDial::kCentre, DirectionDial::kCentre);
    const QString direction = uiText(pages::kDialDirectionHelp);
    const QString spread = uiText(pages::kDialSpreadHelp);
    EXPECT_EQ(hover(dial, c), direction);
    EXPECT_EQ(hover(dial, c + QPoint(66, 0)), QString());
    QTest::mouseClick(panel->radioButton(F::emitType, kEmitRadial), Qt::LeftButton);
    EXPECT_EQ(hover(dial, c + QPoint(10, 10)), spread);
    QTest::mouseClick(panel->radioButton(F::emitType, kEmitOneDirection), Qt::LeftButton);
    EXPECT_EQ(hover(dial, c), direction);
    EXPECT_TRUE(direction.endsWith(QStringLiteral("（SHIFT+ドラッグで45°単位）")));
}

TEST_F(HelpBarTest, TheBarRepaintsWhenItsTextChangesEvenAtTheSameLength) {
    QCoreApplication::processEvents();
    bar->setText(QStringLiteral("ＡＢＣ"));
    QCoreApplication::processEvents();
    const int shown = bar->paints;
    bar->setText(QStringLiteral("ＸＹＺ"));  // the same number of bytes
    QCoreApplication::processEvents();
    EXPECT_GT(bar->paints, shown);
    const int again = bar->paints;
    bar->setText(QStringLiteral("ＸＹＺ"));
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->paints, again);
    // The white text starts 10 pixels in; a text too long for the bar is cut, not wrapped.
    bar->setText(QString(200, QChar(u'あ')));
    const QImage picture = bar->grab().toImage();
    int white = 0;
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 0; y < picture.height(); ++y) white += picture.pixelColor(x, y) == Qt::white;
    EXPECT_GT(white, 200);
    for (int y = 0; y < picture.height(); ++y)
        EXPECT_NE(picture.pixelColor(9, y), QColor(Qt::white)) << y;
}

}  // namespace
}  // namespace sp
