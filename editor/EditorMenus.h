#pragma once

class QAction;
class QMenu;
class QMenuBar;

namespace zorvic {

// The editor's main menu. Items with a handler are actions the window connects.
struct TEditorMenus {
    // 文件
    QAction* OpenMenu = nullptr;
    QAction* SaveASMenu = nullptr;
    QAction* CopyToClipMenu = nullptr;
    QAction* CloseMenu = nullptr;
    // 编辑
    QAction* UnDoMenu = nullptr;
    QAction* ReDoMenu = nullptr;
    // 视图
    QMenu* ToolBarStatusMenu = nullptr;
    QAction* ToolBarBtnMenu = nullptr;
    QAction* ToolBarTextMenu = nullptr;
    QAction* ToolsStatusMenu = nullptr;
    QAction* StatusMenu = nullptr;
    // 图像
    QAction* SizeMenu = nullptr;
    QAction* LevelFilpMenu = nullptr;
    QAction* VerticalFilpMenu = nullptr;
    QAction* Degrees90Menu = nullptr;
    QAction* Degrees180Menu = nullptr;
    QAction* Degrees270Menu = nullptr;
    QAction* ArbitraryDegreesMenu = nullptr;
    QAction* LevelMirrorMenu = nullptr;
    QAction* VerticalMirrorMenu = nullptr;
    QAction* SymmetricalMirrorMenu = nullptr;
    QAction* AntiColorMenu = nullptr;
    QAction* TwoColorMenu = nullptr;
    QAction* GrayMenu = nullptr;
    QAction* ContrastMenu = nullptr;
    QAction* SaturationMenu = nullptr;
    QAction* BrightnessMenu = nullptr;
    QAction* RGBMenu = nullptr;
    // 滤镜; exposure, sculpture and relief share one handler told apart by their tag (data).
    QAction* ExposureMenu = nullptr;
    QAction* SculptureMenu = nullptr;
    QAction* ReliefMenu = nullptr;
    QAction* SharpeningMenu = nullptr;
    QAction* BlackAndWhiteNoiseMenu = nullptr;
    QAction* ColorNoiseMenu = nullptr;
    QAction* SplashMenu = nullptr;
    QAction* MosaicMenu = nullptr;
    QAction* NeonMenu = nullptr;
    QAction* DistortionMenu = nullptr;
    QAction* WaveMenu = nullptr;
    QAction* LongViewMenu = nullptr;
    // 工具
    QAction* SetWallPaperMenu = nullptr;
    // 帮助
    QAction* MailUSMenu = nullptr;
    QAction* HomePageMenu = nullptr;
    QAction* AboutMenu = nullptr;
};

// Fills the menu bar; the caller connects the actions.
TEditorMenus BuildEditorMenus(QMenuBar& bar);

// The tag of an exposure-family item: 1 exposure, 2 sculpture, 3 relief.
int MenuTag(const QAction& item);

} // namespace zorvic
