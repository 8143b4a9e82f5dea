#include "VideoCap.h"

#include "AviCap.h"
#include "Errors.h"
#include "MessageBoxes.h"
#include "TCaptureWindow.h"

#include <QLabel>
#include <QPointer>

namespace zorvic {
namespace {

// The layer's state, one set for the program.
struct TCapState {
    // Its parent panel may take it along when the camera window goes.
    QPointer<TCaptureWindow> Window;
    QPointer<QWidget> Parent;
    std::string DriverName = "无驱动";
    int FrameLimit = 0;
    const std::string CaptureFileName = "Video.avi";
    std::string ImageFileName = "Image.bmp";
    QPointer<QLabel> StatusLabel;
    std::function<void()> OnFrameLimit;
};

TCapState& State() {
    static TCapState state;
    return state;
}

std::intptr_t Send(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    return SendMessageA(State().Window, message, wParam, lParam);
}

template <class T> std::intptr_t Address(T* record) {
    return reinterpret_cast<std::intptr_t>(record);
}

bool CapConnectDriver(unsigned index) {
    if (!Send(WM_CAP_DRIVER_CONNECT, index)) return false;
    TCaptureParms parms;
    if (!Send(WM_CAP_GET_SEQUENCE_SETUP, sizeof parms, Address(&parms))) return true;
    parms.dwRequestMicroSecPerFrame = 66667; // 15 frames a second
    parms.fYield = true;                     // record in the background
    parms.fCaptureAudio = false;
    parms.vKeyAbort = VK_ESCAPE;
    parms.fAbortLeftMouse = false;
    parms.fAbortRightMouse = false;
    parms.fLimitEnabled = false; // recordings are stopped by frame count
    parms.fMCIControl = false;
    return Send(WM_CAP_SET_SEQUENCE_SETUP, sizeof parms, Address(&parms)) != 0;
}

TCapDriverCaps DriverCaps() {
    TCapDriverCaps caps;
    Send(WM_CAP_DRIVER_GET_CAPS, sizeof caps, Address(&caps));
    return caps;
}

} // namespace

void CapSetParent(QWidget* panel) {
    State().Parent = panel;
}

void CapSetStatusLabel(QLabel* label) {
    State().StatusLabel = label;
}

void CapSetOnFrameLimit(std::function<void()> handler) {
    State().OnFrameLimit = std::move(handler);
}

void CapSetFrameLimit(int frames) {
    State().FrameLimit = frames;
}

void CapSetImageFileName(const std::string& name) {
    State().ImageFileName = name;
}

bool CapConnect() {
    TCapState& state = State();
    if (!state.Parent) return false;
    // One capture window at a time: each activation of the camera window connects anew.
    CapRelease();
    state.Window =
        capCreateCaptureWindowA("VexloSoft", WS_CHILD | WS_VISIBLE, 0, 0, state.Parent->width(),
                                state.Parent->height(), state.Parent, 0);
    if (!state.Window || !Send(WM_CAP_SET_CALLBACK_STATUSA, 0, 0) ||
        !Send(WM_CAP_SET_CALLBACK_STATUSA, 0, Address(&CapStatusCallback))) {
        CapRelease();
        return false;
    }
    unsigned index = 0;
    while (index < 10 && !CapConnectDriver(index))
        ++index;
    char name[80];
    char version[100];
    if (capGetDriverDescriptionA(index, name, sizeof name, version, sizeof version))
        state.DriverName = name;
    if (!Send(WM_CAP_FILE_SET_CAPTURE_FILEA, 0, Address(state.CaptureFileName.c_str())))
        ShowMessage(state.DriverName + ": 错误");
    return true;
}

void CapRelease() {
    TCapState& state = State();
    if (!state.Window) return;
    Send(WM_CAP_SET_CALLBACK_STATUSA, 0, 0);
    Send(WM_CAP_DRIVER_DISCONNECT);
    DestroyWindow(state.Window);
    state.Window = nullptr;
}

void CapStartPreview() {
    Send(WM_CAP_SET_SCALE, 1);
    Send(WM_CAP_SET_PREVIEWRATE, 40);
    Send(WM_CAP_SET_OVERLAY, 0);
    Send(WM_CAP_SET_PREVIEW, 1);
}

void CapRestartPreview() {
    Send(WM_CAP_SET_OVERLAY, 0);
    Send(WM_CAP_SET_SCALE, 1);
    Send(WM_CAP_SET_PREVIEWRATE, 40);
    Send(WM_CAP_SET_PREVIEW, 1);
}

void CapGrabToFile() {
    TCapState& state = State();
    if (!state.Window) return;
    Send(WM_CAP_GRAB_FRAME);
    const std::string name = state.ImageFileName;
    if (!Send(WM_CAP_FILE_SAVEDIBA, 0, Address(name.c_str())) && !state.Window->FileError().empty())
        throw EFileError(state.Window->FileError());
}

void CapStartRecording() {
    TCapState& state = State();
    if (!state.Window) return;
    if (!Send(WM_CAP_SEQUENCE) && !state.Window->FileError().empty())
        throw EFileError(state.Window->FileError());
}

void CapStopRecording() {
    Send(WM_CAP_ABORT);
}

bool CapHasSourceDialog() {
    return !State().Window || DriverCaps().fHasDlgVideoSource;
}

bool CapHasFormatDialog() {
    return !State().Window || DriverCaps().fHasDlgVideoFormat;
}

bool CapHasDisplayDialog() {
    return !State().Window || DriverCaps().fHasDlgVideoDisplay;
}

void CapSourceDialog() {
    Send(WM_CAP_DLG_VIDEOSOURCE);
}

void CapFormatDialog() {
    Send(WM_CAP_DLG_VIDEOFORMAT);
}

void CapDisplayDialog() {
    Send(WM_CAP_DLG_VIDEODISPLAY);
}

bool CapStatusCallback(TCaptureWindow* /*window*/, int id, const char* text) {
    TCapState& state = State();
    if (state.StatusLabel) {
        state.StatusLabel->setText(QString::fromUtf8(text));
        state.StatusLabel->repaint();
    }
    if (id != IDS_CAP_STAT_VIDEOCURRENT) return true;
    const std::optional<int> frames = StatusFrameCount(text);
    if (frames && *frames >= state.FrameLimit) {
        Send(WM_CAP_ABORT);
        if (state.OnFrameLimit) state.OnFrameLimit();
    }
    return true;
}

std::optional<int> StatusFrameCount(const std::string& text) {
    const QString whole = QString::fromUtf8(text);
    const QString part = whole.mid(7, whole.size() - 8);
    const QString number = part.left(part.indexOf(u' '));
    try {
        return StrToInt(number.toStdString());
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

TCaptureWindow* CapWindow() {
    return State().Window;
}

const std::string& DriverName() {
    return State().DriverName;
}

int FrameLimit() {
    return State().FrameLimit;
}

const std::string& ImageFileName() {
    return State().ImageFileName;
}

} // namespace zorvic
