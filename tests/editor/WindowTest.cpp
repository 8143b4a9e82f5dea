#include "EditorFixture.h"
#include "EditorStatusBar.h"
#include "EditorView.h"
#include "ToolsPanel.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

namespace zorvic::testing {
namespace {

using WindowTest = EditorTest;

TEST_F(WindowTest, ActiveWindowCaptureSizesTheWindowThenShowingEnforcesTheMinimum) {
    form->LoadPicture(Pattern(1000, 100));
    EXPECT_EQ(form->size(), QSize(1184, 275));
    form->show();
    EXPECT_EQ(form->size(), QSize(746, 536));
}

TEST_F(WindowTest, LargeCaptureKeepsItsWindowSizeOnShowing) {
    Open(Pattern(900, 500));
    EXPECT_EQ(form->size(), QSize(900 + 55 + 129, 500 + 62 + 2 * 19 + 75));
}

TEST_F(WindowTest, DraggedSelectionIsCutFromTheScreenPixelForPixel) {
    const TBitmap screen = Pattern(640, 480);
    form->LoadSelection(screen, TPoint{500, 400}, TPoint{300, 250});

    EXPECT_EQ(form->size(), QSize(200 + 55 + 129, 150 + 62 + 3 * 19 + 75));
    const TBitmap& picture = form->Picture();
    ASSERT_EQ(picture.Width(), 200);
    ASSERT_EQ(picture.Height(), 150);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(picture.GetPixel(x, y), screen.GetPixel(300 + x, 250 + y)) << x << ", " << y;
}

TEST_F(WindowTest, SelectionsWithoutAnInsideKeepTheirEdgesOrAreEmpty) {
    const TBitmap screen = Pattern(50, 50);
    form->LoadSelection(screen, TPoint{10, 10}, TPoint{11, 12});
    ASSERT_EQ(form->Picture().Width(), 1);
    ASSERT_EQ(form->Picture().Height(), 2);
    EXPECT_EQ(form->Picture().GetPixel(0, 0), screen.GetPixel(10, 10));
    EXPECT_EQ(form->Picture().GetPixel(0, 1), screen.GetPixel(10, 11));
    // A click without a drag opens the editor on an empty picture, which every command takes.
    form->LoadSelection(screen, TPoint{10, 10}, TPoint{10, 10});
    form->show();
    EXPECT_TRUE(form->Picture().Empty());
    for (auto command : {&TSaveForm::Degrees90ToolButtonClick, &TSaveForm::AntiColorMenuClick,
                         &TSaveForm::DistortionMenuClick, &TSaveForm::WaveMenuClick,
                         &TSaveForm::LongViewMenuClick, &TSaveForm::LevelMirrorMenuClick,
                         &TSaveForm::UnDoMenuClick, &TSaveForm::EnlargeToolButtonClick})
        (form.get()->*command)();
}

TEST_F(WindowTest, FullScreenCaptureTakesTheScreenSizeAndPicture) {
    const TBitmap screen = Pattern(320, 200);
    form->LoadFullScreen(screen);
    EXPECT_EQ(form->size(), QSize(320, 200));
    EXPECT_TRUE(SamePicture(form->Picture(), screen));
}

TEST_F(WindowTest, ActivationReportsTheControlSizeAndSnapshotsThePicture) {
    Open(Pattern(100, 80));
    form->EnlargeToolButtonClick();
    form->FormActivate();
    EXPECT_EQ(form->PicStatusBar->PanelText(0), QStringLiteral("125*100"));
    EXPECT_TRUE(SamePicture(form->ActivationSnapshot, form->Picture()));

    form->close();
    EXPECT_EQ(host.ClosedCount, 1);
    EXPECT_TRUE(form->ActivationSnapshot.Empty());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WindowTest, LayoutHasTheToolBarPanelAndStatusBarOfTheDesign) {
    const QStringList panels = {"宽高", "R： G： B：", "坐标：xy", ""};
    for (int i = 0; i < panels.size(); ++i)
        EXPECT_EQ(form->PicStatusBar->PanelText(i), panels[i]);
    Open(Pattern(200, 100));
    EXPECT_EQ(form->ToolBar.SaveToolBar->height(), 62);
    EXPECT_EQ(form->ToolsPanel->width(), 129);
    EXPECT_EQ(form->ToolsPanel->x(), 0);
    EXPECT_EQ(form->PicStatusBar->height(), 19);
    const QStringList captions = {"完成",     "取消",     "另存为", "剪贴板", "90度旋转",
                                  "水平翻转", "垂直翻转", "放大",   "缩小",   "实际大小"};
    int previousRight = -1;
    for (const QString& caption : captions) {
        QToolButton* button = nullptr;
        for (auto* candidate : form->ToolBar.SaveToolBar->findChildren<QToolButton*>())
            if (candidate->text() == caption) button = candidate;
        ASSERT_NE(button, nullptr) << caption.toStdString();
        EXPECT_EQ(button->size(), QSize(55, 60));
        EXPECT_FALSE(button->toolTip().isEmpty());
        EXPECT_GT(button->x(), previousRight);
        previousRight = button->x();
    }
    EXPECT_EQ(form->ToolBar.divisionToolBtn2->width(), 8);
    // Over panel 3, wherever the wider size panel before it puts it.
    EXPECT_EQ(form->ProgressBar->geometry(),
              QRect(form->PicStatusBar->Panel(3)->x() + 1, 1, 120, 17));
    EXPECT_FALSE(form->ProgressBar->isVisible());
}

TEST_F(WindowTest, SizePanelShowsPictureSizesWholeInTheFontAtHand) {
    QLabel* panel = form->PicStatusBar->Panel(0);
    const QFontMetrics metrics(panel->font());
    for (const QString size : {"1280*1024", "99999*99999"}) {
        // The label keeps half an "x" free before the text of a framed panel.
        const int room = panel->contentsRect().width() - metrics.horizontalAdvance(u'x') / 2;
        EXPECT_GE(room, metrics.horizontalAdvance(size)) << size.toStdString();
    }
    EXPECT_GE(panel->width(), 60);
    // The panels after it keep their widths, one beside the other.
    const int widths[] = {210, 120, 120, 50};
    for (int i = 1; i < TPicStatusBar::kPanelCount; ++i) {
        EXPECT_EQ(form->PicStatusBar->Panel(i)->width(), widths[i - 1]);
        EXPECT_EQ(form->PicStatusBar->Panel(i)->x(),
                  form->PicStatusBar->Panel(i - 1)->geometry().right() + 1);
    }
}

TEST_F(WindowTest, WheelScrollsOneLinePerNotchOnlyWhenThePictureIsTaller) {
    Open(Pattern(300, 2000));
    QScrollBar* bar = form->sScrollBox->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    auto wheel = [&](int delta) {
        const QPointF at(10, 10);
        QWheelEvent event(at, form->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        // Only a spontaneous wheel event climbs from the picture to the scroll box by itself.
        QApplication::sendEvent(form->sScrollBox->viewport(), &event);
    };
    wheel(-120);
    EXPECT_EQ(bar->value(), bar->singleStep());
    wheel(-120);
    wheel(120);
    EXPECT_EQ(bar->value(), bar->singleStep());

    form->LoadPicture(Pattern(20, 20));
    form->ActualSizeToolButtonClick();
    QApplication::processEvents();
    bar->setValue(0);
    wheel(-120);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(WindowTest, EveryLoadedPictureStartsAtItsTopLeft) {
    form->LoadFullScreen(Pattern(1500, 1200));
    form->show();
    QApplication::processEvents();
    QScrollBar* down = form->sScrollBox->verticalScrollBar();
    QScrollBar* across = form->sScrollBox->horizontalScrollBar();
    ASSERT_GT(down->maximum(), 0);
    ASSERT_GT(across->maximum(), 0);
    down->setValue(down->maximum());
    across->setValue(across->maximum());
    form->close();

    for (auto load : {+[](TSaveForm&f, const TBitmap&p) { f.LoadPicture(p); },
                      +[](TSaveForm&f, const TBitmap&p) { f.LoadFullScreen(p); },
                      +[](TSaveForm&f, const TBitmap&p) {
                          f.LoadSelection(p, TPoint{0, 0}, TPoint{p.Width(), p.Height()});
                      }}) {
        load(*form, Pattern(1400, 1100));
        form->show();
        QApplication::processEvents();
        EXPECT_EQ(down->value(), 0);
        EXPECT_EQ(across->value(), 0);
        // The picture's first row and column are in view.
        const QPoint corner = form->Pic->mapTo(form->sScrollBox->viewport(), QPoint(0, 0));
        EXPECT_GE(corner.x(), 0);
        EXPECT_GE(corner.y(), 0);
        down->setValue(down->maximum());
        across->setValue(across->maximum());
        form->close();
    }
}

TEST_F(WindowTest, HelpItemsGoThroughTheHost) {
    form->Menus.AboutMenu->trigger();
    form->Menus.MailUSMenu->trigger();
    EXPECT_EQ(host.ReadmeCount, 1);
    EXPECT_EQ(host.MailCount, 1);
}

TEST_F(WindowTest, ViewItemsShowAndHideTheirParts) {
    Open(Pattern(50, 50));
    form->Menus.ToolBarBtnMenu->trigger();
    EXPECT_FALSE(form->ToolBar.SaveToolBar->isVisible());
    EXPECT_FALSE(form->Menus.ToolBarTextMenu->isEnabled());
    form->Menus.ToolBarBtnMenu->trigger();
    EXPECT_TRUE(form->ToolBar.SaveToolBar->isVisible());
    form->Menus.ToolBarTextMenu->trigger();
    EXPECT_EQ(form->ToolBar.Degrees90ToolButton->toolButtonStyle(), Qt::ToolButtonIconOnly);
    form->Menus.ToolsStatusMenu->trigger();
    EXPECT_FALSE(form->ToolsPanel->isVisible());
    form->Menus.StatusMenu->trigger();
    EXPECT_FALSE(form->PicStatusBar->isVisible());
}

} // namespace
} // namespace zorvic::testing
