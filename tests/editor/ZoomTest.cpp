#include "EditorFixture.h"
#include "EditorView.h"
#include "ToolsPanel.h"

#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace zorvic::testing {
namespace {

using ZoomTest = EditorTest;

TEST_F(ZoomTest, StepsAreIntegerFiveQuartersAndFourFifthsOfTheControl) {
    Open(Pattern(100, 80));
    form->EnlargeToolButtonClick();
    EXPECT_EQ(form->Pic->size(), QSize(125, 100));
    form->EnlargeToolButtonClick();
    EXPECT_EQ(form->Pic->size(), QSize(156, 125));
    EXPECT_TRUE(form->Pic->Stretch());
    EXPECT_FALSE(form->Pic->AutoSize());

    form->ActualSizeToolButtonClick();
    EXPECT_EQ(form->Pic->size(), QSize(100, 80));
    EXPECT_FALSE(form->Pic->Stretch());
    form->NarrowToolButtonClick();
    EXPECT_EQ(form->Pic->size(), QSize(80, 64));
}

TEST_F(ZoomTest, LimitsDisableOnlyTheToolBarButtons) {
    Open(Pattern(100, 80));
    QToolButton* narrow = form->ToolBar.NarrowToolButton;
    QToolButton* enlarge = form->ToolBar.EnlargeToolButton;
    // 100 -> 80 -> 64 -> 51 -> 40 -> 32: only a width below 40 disables Reduce.
    for (int step = 0; step < 4; ++step)
        form->NarrowToolButtonClick();
    EXPECT_EQ(form->Pic->width(), 40);
    EXPECT_TRUE(narrow->isEnabled());
    form->NarrowToolButtonClick();
    EXPECT_EQ(form->Pic->width(), 32);
    EXPECT_FALSE(narrow->isEnabled());
    // Actual size leaves the buttons as they are; the next enlargement above 40 enables it.
    form->ActualSizeToolButtonClick();
    EXPECT_FALSE(narrow->isEnabled());
    form->EnlargeToolButtonClick();
    EXPECT_TRUE(narrow->isEnabled());

    while (form->Pic->width() <= 4000)
        form->EnlargeToolButtonClick();
    EXPECT_FALSE(enlarge->isEnabled());
    const int widest = form->Pic->width();
    // The palette's zoom button is never disabled and goes on past the limit.
    form->ToolsPanel->EnlargeBtn->click();
    EXPECT_GT(form->Pic->width(), widest);
    while (form->Pic->width() > 4000)
        form->NarrowToolButtonClick();
    EXPECT_TRUE(enlarge->isEnabled());
}

TEST_F(ZoomTest, ZoomStateCarriesOverToTheNextCaptureAndTurnsKeepTheFactor) {
    Open(Pattern(100, 80));
    form->EnlargeToolButtonClick();
    form->close();
    Open(Pattern(60, 40));
    EXPECT_EQ(form->Pic->size(), QSize(125, 100));
    form->Degrees90ToolButtonClick();
    EXPECT_EQ(form->Pic->size(), QSize(100, 125));
}

TEST_F(ZoomTest, CentringUsesTheWholeClientWidthAndTheHeightBetweenTheBars) {
    Open(Pattern(100, 80));
    form->resize(800, 600);
    form->CenterImage();
    EXPECT_EQ(form->Pic->x(), 800 / 2 - 100 / 2);
    const int client = 600 - form->menuBar()->height();
    EXPECT_EQ(form->Pic->y(), (client - 19 - 62 - 20) / 2 - 80 / 2);

    form->LoadPicture(Pattern(3000, 80));
    form->resize(800, 600);
    form->CenterImage();
    EXPECT_EQ(form->Pic->pos(), QPoint(0, 0));
}

} // namespace
} // namespace zorvic::testing
