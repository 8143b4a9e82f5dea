// The main window's menu bar, its tray icon and menu, and what their items and buttons run.
#include "ZorvicMain.h"

#include "AppIcons.h"
#include "ConventionalPage.h"
#include "ErrorBoundary.h"
#include "ModePanel.h"
#include "Tray.h"

#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace zorvic {

namespace {

QAction* MenuItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {},
                  const QIcon& icon = {}) {
    QAction* item = menu->addAction(icon, caption);
    item->setShortcut(shortcut);
    return item;
}

QAction* CheckItem(QMenu* menu, const QString& caption, bool checked,
                   const QKeySequence& shortcut = {}) {
    QAction* item = MenuItem(menu, caption, shortcut);
    item->setCheckable(true);
    item->setChecked(checked);
    return item;
}

} // namespace

void TZorvicForm::BuildMainMenu() {
    QMenuBar* bar = menuBar();
    IntePic = bar->addMenu(QStringLiteral("截图(&B)"));
    BeginIp =
        MenuItem(IntePic, "开始截图", QKeySequence("Ctrl+B"), MenuImage(TMenuImage::StartCapture));
    IntePic->addSeparator();
    Quit = MenuItem(IntePic, "退出", {}, MenuImage(TMenuImage::Quit));

    CaptureRange = bar->addMenu(QStringLiteral("截图范围(&S)"));
    ActiveWindow = CheckItem(CaptureRange, "活动窗口", false);
    FullScreen = CheckItem(CaptureRange, "整个屏幕", false, QKeySequence("Ctrl+Alt+F"));
    Region = CheckItem(CaptureRange, "选定区域", true, QKeySequence("Ctrl+Alt+S"));
    FixRegion = CheckItem(CaptureRange, "固定区域", false);
    AxtiveObject = CheckItem(CaptureRange, "选定控件", false);
    CaptureRange->addSeparator();
    IncludeCursor = CheckItem(CaptureRange, "包含鼠标", true);

    Help = bar->addMenu(QStringLiteral("帮助(&H)"));
    MailMenu = MenuItem(Help, "联系我们", {}, MenuImage(TMenuImage::Mail));
    US = MenuItem(Help, "关于我们", QKeySequence("Ctrl+A"), MenuImage(TMenuImage::About));

    ConnectMenuItem(BeginIp, &TZorvicForm::CutBtnClick);
    ConnectMenuItem(Quit, &TZorvicForm::QuitClick);
    ConnectMenuItem(ActiveWindow, &TZorvicForm::ActiveWindowClick);
    ConnectMenuItem(FullScreen, &TZorvicForm::FullScreenClick);
    ConnectMenuItem(Region, &TZorvicForm::RegionClick);
    ConnectMenuItem(FixRegion, &TZorvicForm::FixRegionClick);
    ConnectMenuItem(AxtiveObject, &TZorvicForm::AxtiveObjectClick);
    ConnectMenuItem(IncludeCursor, &TZorvicForm::IncludeCursorClick);
    ConnectMenuItem(MailMenu, &TZorvicForm::MailMenuClick);
    ConnectMenuItem(US, &TZorvicForm::USClick);

    const std::pair<QPushButton*, void (TZorvicForm::*)()> buttons[] = {
        {ActiveWindowBtn, &TZorvicForm::ActiveWindowClick},
        {FullScreenBtn, &TZorvicForm::FullScreenClick},
        {RegionBtn, &TZorvicForm::RegionClick},
        {FixRegionBtn, &TZorvicForm::FixRegionClick},
        {AxtiveObjectBtn, &TZorvicForm::AxtiveObjectClick},
        {CameraBtn, &TZorvicForm::CameraBtnClick},
        {CutBtn, &TZorvicForm::CutBtnClick},
    };
    for (const auto& [button, handler] : buttons)
        connect(button, &QPushButton::clicked, this,
                Guarded([this, handler = handler] { (this->*handler)(); }));
    connect(IncludeMouse, &QCheckBox::clicked, this, Guarded([this] { IncludeMouseClick(); }));
}

void TZorvicForm::BuildTray() {
    TrayPopupMenu = new QMenu(this);
    OpenMainMenu = MenuItem(TrayPopupMenu, "打开主程序", QKeySequence("Ctrl+O"));
    TrayPopupMenu->addSeparator();
    AboutMenu = MenuItem(TrayPopupMenu, "关于我们", QKeySequence("Ctrl+A"));
    CloseMenu = MenuItem(TrayPopupMenu, "退出");
    ConnectMenuItem(OpenMainMenu, &TZorvicForm::OpenMainMenuClick);
    ConnectMenuItem(AboutMenu, &TZorvicForm::USClick);
    ConnectMenuItem(CloseMenu, &TZorvicForm::QuitClick);

    TrayIcon = new TTrayIcon(ProgramIcon(), QStringLiteral("Zorvic"), TrayPopupMenu, this);
    connect(TrayIcon, &TTrayIcon::LeftClicked, this, Guarded([this] { OpenMainMenuClick(); }));
    TrayIcon->Show();
}

void TZorvicForm::ConnectMenuItem(QAction* item, void (TZorvicForm::*handler)()) {
    connect(item, &QAction::triggered, this, Guarded([this, item, handler] {
                // Qt flips a checkable item before its handler runs; here the handlers alone
                // decide the checks, so the flip is undone first.
                if (item->isCheckable()) item->setChecked(!item->isChecked());
                (this->*handler)();
            }));
}

} // namespace zorvic
