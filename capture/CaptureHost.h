#pragma once
#include <optional>

class QWidget;

namespace zorvic {

// The five capture modes of the main window's exclusive group.
enum class CaptureMode { ActiveWindow, FullScreen, Region, FixRegion, AxtiveObject };

// What the capture needs from the main window, which implements it. The capture code sits
// below the main window and reads its option controls live through this.
class ICaptureHost {
public:
    virtual ~ICaptureHost() = default;
    // The checked mode item; nothing when none is checked.
    virtual std::optional<CaptureMode> CheckedMode() const = 0;
    // Menu item `IncludeCursor` checked.
    virtual bool IncludeCursorChecked() const = 0;
    // FixedWidth and FixedHeight: the fixed-region size as last confirmed on the General page.
    virtual int FixedRegionWidth() const = 0;
    virtual int FixedRegionHeight() const = 0;
    // "捕捉图像前的延迟时间(秒)：" checked: its seconds; nothing when unchecked.
    virtual std::optional<int> CaptureDelaySeconds() const = 0;
    // "捕捉图像时，自动隐藏主窗口" checked.
    virtual bool HideMainFormChecked() const = 0;
    // The main window itself, hidden for a capture when asked and not grabbed.
    virtual QWidget* MainWindow() = 0;
    virtual void StartTimer1() = 0;
    virtual void StopTimer1() = 0;
    // A capture ended without reaching the editor: do what closing the editor does (main
    // window back unless parked, then the timer and the hot key on).
    virtual void CaptureCancelled() = 0;
};

} // namespace zorvic
