// Zoom, the View menu and the Help items.
#include "EditorHost.h"
#include "EditorStatusBar.h"
#include "EditorView.h"
#include "ShellOpen.h"
#include "TSaveForm.h"
#include "ToolsPanel.h"

#include <QToolBar>
#include <QToolButton>

namespace zorvic {

namespace {

constexpr int kNarrowLimit = 40, kEnlargeLimit = 4000;
constexpr const char* kHomePage = "https://zorvic.example/";

} // namespace

// The zoom scales only the display: the control is stretched, the picture keeps its pixels.
// The limits act on the tool bar's buttons only; the palette's zoom buttons are never disabled.
int TSaveForm::ZoomControl(int numerator, int denominator) {
    Pic->SetAutoSize(false);
    Pic->SetStretch(true);
    const int height = Pic->height() * numerator / denominator;
    const int width = Pic->width() * numerator / denominator;
    Pic->SetControlSize(width, height);
    return width;
}

void TSaveForm::EnlargeToolButtonClick() {
    const int width = ZoomControl(5, 4);
    if (width > kNarrowLimit) ToolBar.NarrowToolButton->setEnabled(true);
    if (width > kEnlargeLimit) ToolBar.EnlargeToolButton->setEnabled(false);
    CenterImage();
}

void TSaveForm::NarrowToolButtonClick() {
    const int width = ZoomControl(4, 5);
    if (width < kNarrowLimit) ToolBar.NarrowToolButton->setEnabled(false);
    if (width <= kEnlargeLimit) ToolBar.EnlargeToolButton->setEnabled(true);
    CenterImage();
}

void TSaveForm::ActualSizeToolButtonClick() {
    Pic->SetAutoSize(true);
    Pic->SetStretch(false);
    CenterImage();
}

void TSaveForm::ToolBarBtnMenuClick() {
    const bool on = Menus.ToolBarBtnMenu->isChecked();
    ToolBar.SaveToolBar->setVisible(on);
    Menus.ToolBarTextMenu->setEnabled(on);
}

void TSaveForm::ToolBarTextMenuClick() {
    ToolBar.ShowCaptions(Menus.ToolBarTextMenu->isChecked());
}

void TSaveForm::ToolsStatusMenuClick() {
    ToolsPanel->setVisible(!ToolsPanel->isVisibleTo(this));
}

void TSaveForm::StatusMenuClick() {
    PicStatusBar->setVisible(Menus.StatusMenu->isChecked());
}

void TSaveForm::AboutMenuClick() {
    if (host_) host_->OpenReadme();
}

void TSaveForm::MailUSMenuClick() {
    if (host_) host_->OpenMail();
}

void TSaveForm::HomePageMenuClick() {
    OpenWebAddress(kHomePage);
}

} // namespace zorvic
