// Which tool bar button and menu item runs which handler. Components that issue the same
// command share one handler.
#include "ErrorBoundary.h"
#include "PanelPreview.h"
#include "TSaveForm.h"
#include "ToolsPanel.h"

#include <QAction>
#include <QPushButton>
#include <QToolButton>

namespace zorvic {

namespace {

// Every handler reports its own error: Qt's signal dispatch must not be unwound through.
template <class Sender, class Signal>
void Connect(Sender* sender, Signal signal, TSaveForm* form, void (TSaveForm::*handler)()) {
    QObject::connect(sender, signal, form, Guarded([form, handler] { (form->*handler)(); }));
}

void OnClick(QToolButton* button, TSaveForm* form, void (TSaveForm::*handler)()) {
    Connect(button, &QToolButton::clicked, form, handler);
}

void OnPress(QPushButton* button, TSaveForm* form, void (TSaveForm::*handler)()) {
    Connect(button, &QPushButton::clicked, form, handler);
}

void OnTrigger(QAction* item, TSaveForm* form, void (TSaveForm::*handler)()) {
    Connect(item, &QAction::triggered, form, handler);
}

} // namespace

void TSaveForm::ConnectCommands() {
    const TEditorToolBar& t = ToolBar;
    OnClick(t.SaveToolButton, this, &TSaveForm::SaveToolButtonClick);
    OnClick(t.CancelToolButton, this, &TSaveForm::CancelToolButtonClick);
    OnClick(t.SaveASToolButton, this, &TSaveForm::SaveASToolButtonClick);
    OnClick(t.ClipboardToolButton, this, &TSaveForm::CopyToClipMenuClick);
    OnClick(t.Degrees90ToolButton, this, &TSaveForm::Degrees90ToolButtonClick);
    OnClick(t.LevelFilpToolButton, this, &TSaveForm::LevelFilpToolButtonClick);
    OnClick(t.VerticalFilpToolButton, this, &TSaveForm::VerticalFilpToolButtonClick);
    OnClick(t.EnlargeToolButton, this, &TSaveForm::EnlargeToolButtonClick);
    OnClick(t.NarrowToolButton, this, &TSaveForm::NarrowToolButtonClick);
    OnClick(t.ActualSizeToolButton, this, &TSaveForm::ActualSizeToolButtonClick);

    // The palette's zoom buttons share the tool bar's handlers.
    OnPress(ToolsPanel->EnlargeBtn, this, &TSaveForm::EnlargeToolButtonClick);
    OnPress(ToolsPanel->NarrowBtn, this, &TSaveForm::NarrowToolButtonClick);
    OnPress(ToolsPanel->ActualSizeBtn, this, &TSaveForm::ActualSizeToolButtonClick);
    OnPress(ToolsPanel->ArbitraryDegreesBtn, this, &TSaveForm::ArbitraryDegreesBtnClick);
    OnPress(ToolsPanel->TranslationOKBtn, this, &TSaveForm::TranslationOKBtnClick);
    OnClick(ToolsPanel->FuzzyBtn, this, &TSaveForm::FuzzyBtnClick);

    const TEditorMenus& m = Menus;
    OnTrigger(m.OpenMenu, this, &TSaveForm::OpenMenuClick);
    OnTrigger(m.SaveASMenu, this, &TSaveForm::SaveASToolButtonClick);
    OnTrigger(m.CopyToClipMenu, this, &TSaveForm::CopyToClipMenuClick);
    OnTrigger(m.CloseMenu, this, &TSaveForm::CancelToolButtonClick);
    OnTrigger(m.UnDoMenu, this, &TSaveForm::UnDoMenuClick);
    OnTrigger(m.ReDoMenu, this, &TSaveForm::ReDoMenuClick);
    OnTrigger(m.ToolBarBtnMenu, this, &TSaveForm::ToolBarBtnMenuClick);
    OnTrigger(m.ToolBarTextMenu, this, &TSaveForm::ToolBarTextMenuClick);
    OnTrigger(m.ToolsStatusMenu, this, &TSaveForm::ToolsStatusMenuClick);
    OnTrigger(m.StatusMenu, this, &TSaveForm::StatusMenuClick);
    OnTrigger(m.LevelFilpMenu, this, &TSaveForm::LevelFilpToolButtonClick);
    OnTrigger(m.VerticalFilpMenu, this, &TSaveForm::VerticalFilpToolButtonClick);
    OnTrigger(m.Degrees90Menu, this, &TSaveForm::Degrees90ToolButtonClick);
    OnTrigger(m.Degrees180Menu, this, &TSaveForm::Degrees180MenuClick);
    OnTrigger(m.Degrees270Menu, this, &TSaveForm::Degrees270MenuClick);
    OnTrigger(m.ArbitraryDegreesMenu, this, &TSaveForm::ArbitraryDegreesMenuClick);
    OnTrigger(m.LevelMirrorMenu, this, &TSaveForm::LevelMirrorMenuClick);
    OnTrigger(m.VerticalMirrorMenu, this, &TSaveForm::VerticalMirrorMenuClick);
    OnTrigger(m.SymmetricalMirrorMenu, this, &TSaveForm::SymmetricalMirrorMenuClick);
    OnTrigger(m.AntiColorMenu, this, &TSaveForm::AntiColorMenuClick);
    OnTrigger(m.TwoColorMenu, this, &TSaveForm::TwoColorMenuClick);
    OnTrigger(m.GrayMenu, this, &TSaveForm::GrayMenuClick);
    for (QAction* item : {m.ExposureMenu, m.SculptureMenu, m.ReliefMenu})
        connect(item, &QAction::triggered, this,
                Guarded([this, item] { ExposureMenuClick(MenuTag(*item)); }));
    OnTrigger(m.DistortionMenu, this, &TSaveForm::DistortionMenuClick);
    OnTrigger(m.WaveMenu, this, &TSaveForm::WaveMenuClick);
    OnTrigger(m.LongViewMenu, this, &TSaveForm::LongViewMenuClick);
    OnTrigger(m.ContrastMenu, this, &TSaveForm::ContrastMenuClick);
    OnTrigger(m.SaturationMenu, this, &TSaveForm::SaturationMenuClick);
    OnTrigger(m.BrightnessMenu, this, &TSaveForm::BrightnessMenuClick);
    OnTrigger(m.RGBMenu, this, &TSaveForm::RGBMenuClick);
    OnTrigger(m.SharpeningMenu, this, &TSaveForm::SharpeningMenuClick);
    OnTrigger(m.BlackAndWhiteNoiseMenu, this, &TSaveForm::BlackAndWhiteNoiseMenuClick);
    OnTrigger(m.ColorNoiseMenu, this, &TSaveForm::ColorNoiseMenuClick);
    OnTrigger(m.SplashMenu, this, &TSaveForm::SplashMenuClick);
    OnTrigger(m.MosaicMenu, this, &TSaveForm::MosaicMenuClick);
    OnTrigger(m.NeonMenu, this, &TSaveForm::NeonMenuClick);
    OnPress(PanelPreview->ParametersOKBtn, this, &TSaveForm::ParametersOKBtnClick);
    OnPress(PanelPreview->ParametersCancelBtn, this, &TSaveForm::ParametersCancelBtnClick);
    OnTrigger(m.SetWallPaperMenu, this, &TSaveForm::SetWallPaperMenuClick);
    OnTrigger(m.MailUSMenu, this, &TSaveForm::MailUSMenuClick);
    OnTrigger(m.HomePageMenu, this, &TSaveForm::HomePageMenuClick);
    OnTrigger(m.AboutMenu, this, &TSaveForm::AboutMenuClick);
}

} // namespace zorvic
