#pragma once
#include "CaptureHost.h"
#include "EditorHost.h"
#include "HookCalls.h"
#include "OptionControls.h"
#include "PlatformServices.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;

namespace zorvic {

class ICaptureEditor;
class TCaptureDispatcher;
class TConventionalPage;
class TDisPlayForm;
class THighPage;
class TModePanel;
class TSaveForm;
class TSavePage;
class TSelectAreaForm;
class TStartupSteps;
class TTrayIcon;

// The main window: capture modes, menus, the three option pages, the tray icon and the capture
// poll timer. It lives for the whole run, hidden or not, because the rest of the program reads
// its option controls live.
class TZorvicForm : public QMainWindow,
                    public ICaptureHost,
                    public IEditorHost,
                    public TModeButtons,
                    public TConventionalControls,
                    public TSaveControls,
                    public THighControls {
    Q_OBJECT
public:
    // `arguments` are the command-line arguments after the program's name; the hot key and the
    // capture go through `hooks`, on the desktop of `platform`.
    TZorvicForm(const QStringList& arguments, THookCalls hooks, PlatformServices platform,
                QWidget* parent = nullptr);
    ~TZorvicForm() override;

    TModePanel* sPanelChoose;
    QTabWidget* sPageOptions;
    TConventionalPage* sTabConventional;
    TSavePage* sTabSave;
    THighPage* sTabHigh;

    QLabel* StatusWelcome;
    QLabel* StatusProduct;

    // Main menu.
    QMenu* IntePic;
    QAction* BeginIp;
    QAction* Quit;
    QMenu* CaptureRange;
    QAction* ActiveWindow;
    QAction* FullScreen;
    QAction* Region;
    QAction* FixRegion;
    QAction* AxtiveObject;
    QAction* IncludeCursor;
    QMenu* Help;
    QAction* MailMenu;
    QAction* US;

    // Tray icon and its menu.
    TTrayIcon* TrayIcon;
    QMenu* TrayPopupMenu;
    QAction* OpenMainMenu;
    QAction* AboutMenu;
    QAction* CloseMenu;

    // The capture tick every 50 ms while a pick follows the mouse; the hot key itself is told by
    // the hook library's notice.
    QTimer* Timer1;

    // 1 while the user has parked the main window in the tray; the editor then leaves it there.
    int MainFormInTray = 0;
    // The fixed-region pick's size; the General page's OK updates it.
    int FixedWidth = 600;
    int FixedHeight = 400;

    void QuitClick();
    void OpenMainMenuClick();
    void USClick();
    void MailMenuClick();
    void CameraBtnClick();

    // Capture modes: each puts its button down and checks its menu item alone.
    void ActiveWindowClick();
    void FullScreenClick();
    void RegionClick();
    void FixRegionClick();
    void AxtiveObjectClick();
    void IncludeCursorClick();
    void IncludeMouseClick();
    void StartHotKeyWatch();
    void StopHotKeyWatch();
    void Timer1Timer();
    void CutBtnClick();

    // Hands captures to `editor` through `overlay` and `frame`; until then the timer's ticks
    // and the Capture button do nothing. The three windows must outlive the connection, which
    // DisconnectCapture ends.
    void ConnectCapture(TSaveForm& editor, TDisPlayForm& overlay, TSelectAreaForm& frame);
    void DisconnectCapture();
    TCaptureDispatcher* Capture() { return capture_.get(); }

    // What the capture reads from this window.
    std::optional<CaptureMode> CheckedMode() const override;
    bool IncludeCursorChecked() const override;
    int FixedRegionWidth() const override { return FixedWidth; }
    int FixedRegionHeight() const override { return FixedHeight; }
    std::optional<int> CaptureDelaySeconds() const override;
    bool HideMainFormChecked() const override;
    QWidget* MainWindow() override { return this; }
    void StartTimer1() override;
    void StopTimer1() override;
    void CaptureCancelled() override { EditorClosed(); }

    // What the editor reads from this window.
    TSaveSettings SaveSettings() const override;
    bool CaptureSoundWanted() const override;
    void PlayCaptureSound() override;
    void EditorClosed() override;
    void OpenReadme() override { USClick(); }
    void OpenMail() override { MailMenuClick(); }

    // Takes the main window out of sight and marks it parked. Without a tray host the window is
    // minimised instead, so that it stays reachable from the task bar.
    void ParkInTray();
    // Whether the command line asked for the window to appear at start.
    bool StartsVisible() const { return startsVisible_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildOptionPages();
    void BuildMainMenu();
    void BuildTray();
    void BuildStatusBar();
    void ConnectMenuItem(QAction* item, void (TZorvicForm::*handler)());
    void SelectMode(QAction* item, QPushButton* button);

    void FormCreate(const QStringList& arguments);
    void FormClose(QCloseEvent* event);
    void WarnIfHotKeyTaken();
    // Fills the option controls from the store (StoredOptions.cpp).
    void LoadStoredOptions(TStartupSteps& steps);

    THookCalls hooks_;
    PlatformServices platform_;
    bool startsVisible_ = false;
    std::unique_ptr<ICaptureEditor> captureEditor_;
    std::unique_ptr<TCaptureDispatcher> capture_;
};

// The program's one main window.
extern TZorvicForm* ZorvicForm;

} // namespace zorvic
