#include "ZorvicMain.h"

#include "AppIcons.h"
#include "CaptureDispatcher.h"
#include "CaptureEditor.h"
#include "ConfigPaths.h"
#include "ConventionalPage.h"
#include "ErrorBoundary.h"
#include "Errors.h"
#include "FirstRunDefaults.h"
#include "HighPage.h"
#include "MessageBoxes.h"
#include "ModePanel.h"
#include "OsVersion.h"
#include "ProductSettings.h"
#include "RegEdit.h"
#include "SavePage.h"
#include "ShellOpen.h"
#include "StartupSteps.h"
#include "TVideoForm.h"
#include "Tray.h"
#include "WindowLookup.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

namespace zorvic {

TZorvicForm* ZorvicForm = nullptr;

namespace {
constexpr int kClientWidth = 496;
constexpr int kClientHeight = 288;
constexpr int kStatusBarHeight = 19;
constexpr const char* kContactAddress = "support@zorvic.example";

QFont MainWindowFont() {
    QFont font;
    // Tahoma has no Chinese; the CJK families behind it draw the captions.
    font.setFamilies({"Tahoma", "WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback"});
    font.setPixelSize(12);
    return font;
}
} // namespace

TZorvicForm::TZorvicForm(const QStringList& arguments, THookCalls hooks, PlatformServices platform,
                         QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      hooks_(std::move(hooks)), platform_(std::move(platform)) {
    setWindowTitle(QStringLiteral("Zorvic"));
    setWindowIcon(ProgramIcon());
    setFont(MainWindowFont());
    setToolTip(QStringLiteral("请按Ctrl+B组合键开始截图"));

    auto* client = new QWidget(this);
    setCentralWidget(client);
    sPanelChoose = new TModePanel(client);
    sPanelChoose->setGeometry(0, 0, 137, kClientHeight - kStatusBarHeight);
    static_cast<TModeButtons&>(*this) = *sPanelChoose;
    BuildOptionPages();
    sPageOptions->setParent(client);
    sPageOptions->setGeometry(137, 0, 359, 269);
    BuildStatusBar();
    BuildMainMenu();
    BuildTray();

    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));

    // The menu bar's height depends on the font and the style; the client area does not.
    setFixedSize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate(arguments);
}

TZorvicForm::~TZorvicForm() = default;

void TZorvicForm::BuildOptionPages() {
    sPageOptions = new QTabWidget(this);
    sTabConventional = new TConventionalPage(FixedWidth, FixedHeight);
    sTabSave = new TSavePage;
    sTabHigh = new THighPage;
    sPageOptions->addTab(sTabConventional, QStringLiteral("常规"));
    sPageOptions->addTab(sTabSave, QStringLiteral("存储"));
    sPageOptions->addTab(sTabHigh, QStringLiteral("高级"));
    sPageOptions->setCurrentWidget(sTabConventional);

    static_cast<TConventionalControls&>(*this) = *sTabConventional;
    static_cast<TSaveControls&>(*this) = *sTabSave;
    static_cast<THighControls&>(*this) = *sTabHigh;
}

void TZorvicForm::BuildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(kStatusBarHeight);
    StatusWelcome = new QLabel(QStringLiteral("欢迎使用。截图快捷键：Ctrl+B"));
    StatusWelcome->setFixedWidth(280);
    StatusProduct = new QLabel(QStringLiteral("Zorvic"));
    StatusProduct->setFixedWidth(50);
    bar->addWidget(StatusWelcome);
    bar->addWidget(StatusProduct);
    setStatusBar(bar);
}

void TZorvicForm::FormCreate(const QStringList& arguments) {
    TStartupSteps steps;
    steps.Run([] {
        if (!ProductIsSetUp()) WriteFirstRunDefaults();
    });
    steps.Run([this] { setWindowTitle(QString::fromStdString(MainWindowTitle())); });
    WarnIfHotKeyTaken();
    hooks_.EnableHotKeyHook();
    steps.Run([this] {
        AutoStart->setChecked(
            RegValueExists(TRegRoot::HKEY_LOCAL_MACHINE, kRunKey, kRunValue, false));
    });
    LoadStoredOptions(steps);
    steps.Run([this] {
        FixedWidth = StrToInt(WidthValue->text().toStdString());
        FixedHeight = StrToInt(HeightValue->text().toStdString());
    });
    startsVisible_ = arguments.isEmpty();
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("s")) MainFormInTray = 1;
    if (IsWindows6OrLater()) {
        FixRegionBtn->setEnabled(false);
        AxtiveObjectBtn->setEnabled(false);
    }
    steps.ReportProblems();
}

void TZorvicForm::WarnIfHotKeyTaken() {
    if (!hooks_.HotKeyHeldByAnotherProgram()) return;
    // Told once the program runs, so the box does not hold up the main window's appearance.
    QTimer::singleShot(0, this, [] {
        ShowMessage("截图快捷键Ctrl+B已被其他程序占用，按Ctrl+B将无法截图。"
                    "请关闭占用它的程序后重新启动Zorvic。");
    });
}

void TZorvicForm::closeEvent(QCloseEvent* event) {
    FormClose(event);
}

void TZorvicForm::FormClose(QCloseEvent* event) {
    // A stored close action that cannot be read is told, and the window parks as by default
    // rather than leaving the screen out of the tray's reach.
    event->ignore();
    auto park = qScopeGuard([this] { ParkInTray(); });
    if (ReadSetting(kHighKey, "Quit", TValueKind::Integer, false) == "0") return;
    park.dismiss();
    event->accept();
    QuitClick();
}

void TZorvicForm::ParkInTray() {
    MainFormInTray = 1;
    if (TTrayIcon::HostAvailable())
        hide();
    else
        showMinimized();
}

void TZorvicForm::QuitClick() {
    hooks_.DisableHotKeyHook();
    hooks_.GetMouseDown();
    TrayIcon->Hide();
    QCoreApplication::quit();
}

void TZorvicForm::OpenMainMenuClick() {
    if (isMinimized()) showNormal();
    show();
    MainFormInTray = 0;
    ShowWindowTitled(MainWindowTitle());
}

void TZorvicForm::USClick() {
    OpenFileWithDesktop(ProgramDirectory() + "Readme.txt");
}

void TZorvicForm::MailMenuClick() {
    OpenMailComposer(kContactAddress, "邮件标题");
}

void TZorvicForm::CameraBtnClick() {
    hide();
    VideoForm->setWindowModality(Qt::ApplicationModal);
    VideoForm->show();
}

} // namespace zorvic
