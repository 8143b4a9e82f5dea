#include "TCaptureWindow.h"

#include "BmpFile.h"
#include "CaptureStatus.h"
#include "DriverDialogs.h"
#include "Errors.h"
#include "FileNameCase.h"
#include "V4l2Device.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include <cmath>
#include <utility>

namespace zorvic {

namespace {
using Clock = std::chrono::steady_clock;
// How long a grab waits for the first picture of a device that has just been opened.
constexpr auto kFirstPictureWait = std::chrono::seconds(2);

bool IsV4l2(const TCaptureDevice& device) {
    return device.Source().Kind == TDriverSource::TKind::V4l2Device;
}

std::vector<TDeviceControl> ControlsOf(const TCaptureDevice& device) {
    return IsV4l2(device) ? V4l2Controls(device.Source().Input) : std::vector<TDeviceControl>{};
}

std::vector<TDeviceFormat> FormatsOf(const TCaptureDevice& device) {
    return IsV4l2(device) ? V4l2Formats(device.Source().Input) : std::vector<TDeviceFormat>{};
}

// The time of one frame as a fraction of a second: 66667 microseconds is 1/15 exactly.
std::pair<int, int> SecondsPerFrame(std::uint32_t microseconds) {
    const double perSecond = 1e6 / microseconds;
    const double whole = std::round(perSecond);
    if (whole >= 1 && std::abs(perSecond - whole) < 1e-3) return {1, static_cast<int>(whole)};
    return {static_cast<int>(microseconds), 1000000};
}

} // namespace

TCaptureWindow::TCaptureWindow(QWidget* parent, const QRect& geometry) : QWidget(parent) {
    setGeometry(geometry);
    previewPace_.setTimerType(Qt::PreciseTimer);
    previewPace_.setSingleShot(true);
    connect(&previewPace_, &QTimer::timeout, this, [this] {
        if (previewing_ && std::exchange(showWhenPaced_, false)) ShowNewest();
    });
}

TCaptureWindow::~TCaptureWindow() {
    DriverDisconnect();
}

bool TCaptureWindow::Recording() const {
    return recording_ && recording_->Running();
}

std::intptr_t TCaptureWindow::Perform(unsigned message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    switch (message) {
    case WM_CAP_SET_CALLBACK_STATUSA:
        statusCallback_ = reinterpret_cast<TCapStatusCallback>(lParam);
        return true;
    case WM_CAP_DRIVER_CONNECT:
        return DriverConnect(static_cast<unsigned>(wParam));
    case WM_CAP_DRIVER_DISCONNECT:
        return DriverDisconnect();
    case WM_CAP_DRIVER_GET_CAPS:
        return GetDriverCaps(wParam, reinterpret_cast<TCapDriverCaps*>(lParam));
    case WM_CAP_FILE_SET_CAPTURE_FILEA:
        return SetCaptureFile(reinterpret_cast<const char*>(lParam));
    case WM_CAP_FILE_SAVEDIBA:
        return SaveDib(reinterpret_cast<const char*>(lParam));
    case WM_CAP_DLG_VIDEOFORMAT:
        return FormatDialog();
    case WM_CAP_DLG_VIDEOSOURCE:
        return SourceDialog();
    case WM_CAP_DLG_VIDEODISPLAY:
        return DisplayDialog();
    case WM_CAP_SET_PREVIEW:
        return SetPreview(wParam != 0);
    case WM_CAP_SET_OVERLAY:
        return wParam == 0; // no overlay hardware to switch on
    case WM_CAP_SET_PREVIEWRATE:
        return SetPreviewRate(wParam);
    case WM_CAP_SET_SCALE:
        return SetScale(wParam != 0);
    case WM_CAP_GRAB_FRAME:
        return GrabFrame();
    case WM_CAP_SEQUENCE:
        return StartSequence();
    case WM_CAP_SET_SEQUENCE_SETUP:
        return SetSequenceSetup(wParam, reinterpret_cast<const TCaptureParms*>(lParam));
    case WM_CAP_GET_SEQUENCE_SETUP:
        return GetSequenceSetup(wParam, reinterpret_cast<TCaptureParms*>(lParam));
    case WM_CAP_ABORT:
        return Abort();
    default:
        return false;
    }
}

bool TCaptureWindow::DriverConnect(unsigned index) {
    const std::optional<TDriverSource> driver = CaptureDriverAt(index);
    if (!driver) return false;
    const bool previewing = Previewing();
    DriverDisconnect();
    const unsigned number = ++deviceNumber_;
    try {
        device_ = std::make_unique<TCaptureDevice>(
            *driver,
            [this, number](const std::string& why) {
                QMetaObject::invokeMethod(
                    this, [this, why, number] { DeviceLost(why, number); }, Qt::QueuedConnection);
            },
            [this, number] {
                // One announcement waits at a time; the newest picture is taken when it is heard.
                if (!arrivalAnnounced_.exchange(true))
                    QMetaObject::invokeMethod(
                        this,
                        [this, number] {
                            arrivalAnnounced_ = false;
                            PictureArrived(number);
                        },
                        Qt::QueuedConnection);
            });
    } catch (const EZorvicError&) {
        return false;
    }
    driverIndex_ = index;
    parms_ = TCaptureParms{};
    if (previewing) SetPreview(true);
    return true;
}

bool TCaptureWindow::DriverDisconnect() {
    if (!device_) return false;
    Abort();
    recording_.reset();
    SetPreview(false);
    shown_.reset();
    grabbed_.reset();
    device_.reset();
    update();
    return true;
}

bool TCaptureWindow::GetDriverCaps(std::uintptr_t size, TCapDriverCaps* caps) const {
    if (!device_ || !caps || size != sizeof(TCapDriverCaps)) return false;
    *caps = TCapDriverCaps{};
    caps->wDeviceIndex = driverIndex_;
    caps->fHasDlgVideoSource = !ControlsOf(*device_).empty();
    caps->fHasDlgVideoFormat = ChoiceCount(FormatsOf(*device_)) > 1;
    caps->fHasDlgVideoDisplay = true;
    caps->fCaptureInitialized = true;
    return true;
}

bool TCaptureWindow::SetCaptureFile(const char* name) {
    if (!name || !*name) return false;
    captureFile_ = name;
    return true;
}

bool TCaptureWindow::SaveDib(const char* name) {
    fileError_.clear();
    const TSharedFrame picture = grabbed_ ? grabbed_ : shown_;
    if (!name || !*name || !picture) return false;
    try {
        SaveBmpFile(FrameBitmap(*picture), FromCurrentDirectory(name));
    } catch (const EZorvicError& error) {
        fileError_ = error.what();
        return false;
    }
    return true;
}

bool TCaptureWindow::SetPreview(bool on) {
    if (!on) {
        previewing_ = false;
        previewPace_.stop();
        return true;
    }
    if (!device_ || device_->Lost()) return false;
    grabbed_.reset();
    if (!previewing_) {
        const TDeviceInfo info = device_->Info();
        Status(IDS_CAP_STAT_LIVE_MODE, LiveModeText(device_->Source().Description, info.Size));
    }
    previewing_ = true;
    ShowNewest();
    return true;
}

bool TCaptureWindow::SetPreviewRate(std::uintptr_t milliseconds) {
    previewPace_.setInterval(static_cast<int>(std::min<std::uintptr_t>(milliseconds, 60000)));
    return true;
}

bool TCaptureWindow::SetScale(bool on) {
    scale_ = on;
    update();
    return true;
}

void TCaptureWindow::PictureArrived(unsigned device) {
    if (device != deviceNumber_ || !previewing_) return;
    if (previewPace_.isActive())
        showWhenPaced_ = true;
    else
        ShowNewest();
}

void TCaptureWindow::ShowNewest() {
    if (!device_) return;
    showWhenPaced_ = false;
    TSharedFrame newest = device_->Latest();
    if (newest != shown_) Show(std::move(newest));
    previewPace_.start();
}

void TCaptureWindow::Show(TSharedFrame picture) {
    shown_ = std::move(picture);
    update();
}

bool TCaptureWindow::GrabFrame() {
    if (!device_ || device_->Lost()) return false;
    SetPreview(false);
    TSharedFrame picture = device_->Latest();
    if (!picture) picture = device_->WaitForFrame(-1, Clock::now() + kFirstPictureWait);
    if (!picture || device_->Lost()) return false;
    grabbed_ = picture;
    Show(std::move(picture));
    repaint();
    return true;
}

bool TCaptureWindow::StartSequence() {
    fileError_.clear();
    if (!device_ || device_->Lost() || (recording_ && recording_->Running()) ||
        captureFile_.empty())
        return false;
    recording_.reset();
    TFrameSize size = device_->Info().Size;
    if (size.Width <= 0 || size.Height <= 0) {
        const TSharedFrame picture = device_->WaitForFrame(-1, Clock::now() + kFirstPictureWait);
        if (!picture) return false;
        size = {picture->Width, picture->Height};
    }
    const auto [numerator, denominator] = SecondsPerFrame(parms_.dwRequestMicroSecPerFrame);
    std::unique_ptr<TAviRecorder> file;
    try {
        file = std::make_unique<TAviRecorder>(FromCurrentDirectory(FileIgnoringCase(captureFile_)),
                                              size.Width, size.Height, denominator, numerator);
    } catch (const EZorvicError& error) {
        fileError_ = error.what();
        return false;
    }
    const unsigned number = ++recordingNumber_;
    recording_ = std::make_unique<TSequenceCapture>(
        *device_, std::move(file), numerator, denominator,
        [this, number](int id, const std::string& text, std::int64_t frames) {
            PostStatus(id, text, frames, number);
        });
    if (parms_.vKeyAbort == VK_ESCAPE) qApp->installEventFilter(this);
    return true;
}

bool TCaptureWindow::Abort() {
    qApp->removeEventFilter(this);
    if (!recording_) return false;
    // Waits for the file to be finished, so that whoever stopped the recording finds it whole.
    recording_->Wait();
    return true;
}

bool TCaptureWindow::GetSequenceSetup(std::uintptr_t size, TCaptureParms* parms) const {
    if (!device_ || !parms || size != sizeof(TCaptureParms)) return false;
    *parms = parms_;
    return true;
}

bool TCaptureWindow::SetSequenceSetup(std::uintptr_t size, const TCaptureParms* parms) {
    if (!device_ || !parms || size != sizeof(TCaptureParms) ||
        parms->dwRequestMicroSecPerFrame == 0)
        return false;
    parms_ = *parms;
    return true;
}

// The dialogs belong to the camera window: it is activated when one closes, and connects anew,
// which may release this capture window while the dialog's loop still runs.
bool TCaptureWindow::SourceDialog() {
    if (!device_) return false;
    std::vector<TDeviceControl> controls = ControlsOf(*device_);
    if (controls.empty()) return false;
    const std::string node = device_->Source().Input;
    TSourceDialog dialog(window(), device_->Source().Description, std::move(controls),
                         [node](unsigned id, int value) { SetV4l2Control(node, id, value); });
    dialog.exec();
    return true;
}

bool TCaptureWindow::FormatDialog() {
    if (!device_ || (recording_ && recording_->Running())) return false;
    const std::vector<TDeviceFormat> formats = FormatsOf(*device_);
    if (ChoiceCount(formats) <= 1) return false;
    const TDeviceInfo info = device_->Info();
    const std::string input = device_->Source().Input;
    TFormatDialog dialog(window(), formats, {info.PixelFormat, info.Size});
    const QPointer<TCaptureWindow> alive(this);
    if (dialog.exec() != QDialog::Accepted) return true;
    // Every later connection opens the device so; this one at once, if it is still there.
    ChooseFormat(input, dialog.Choice());
    return !alive || DriverConnect(driverIndex_);
}

bool TCaptureWindow::DisplayDialog() {
    if (!device_) return false;
    TDisplayFacts facts;
    facts.Driver = device_->Source().Description;
    facts.Input = device_->Source().Input;
    facts.Device = device_->Info();
    facts.Window = {width(), height()};
    facts.Scaled = scale_;
    facts.PreviewMilliseconds = previewing_ ? previewPace_.interval() : 0;
    facts.Lost = device_->Lost();
    TDisplayDialog dialog(window(), facts);
    dialog.exec();
    return true;
}

void TCaptureWindow::PostStatus(int id, const std::string& text, std::int64_t frames,
                                unsigned recording) {
    QMetaObject::invokeMethod(
        this,
        [this, id, text, frames, recording] {
            Status(id, text);
            if (id == IDS_CAP_STAT_VIDEOCURRENT && recording == recordingNumber_ && recording_)
                recording_->CountReported(frames);
        },
        Qt::QueuedConnection);
}

void TCaptureWindow::Status(int id, const std::string& text) {
    if (statusCallback_) statusCallback_(this, id, text.c_str());
}

void TCaptureWindow::DeviceLost(const std::string& reason, unsigned device) {
    if (device != deviceNumber_ || !device_) return;
    SetPreview(false);
    Show(nullptr);
    grabbed_.reset();
    // A recording running on the device tells of the loss in its own end report.
    if (recording_ && recording_->ReportsDeviceLoss()) return;
    Status(IDS_CAP_DEVICE_LOST, DeviceLostText(reason));
}

void TCaptureWindow::paintEvent(QPaintEvent*) {
    if (!shown_) return;
    QPainter painter(this);
    const QImage picture = FrameImage(*shown_);
    if (scale_)
        painter.drawImage(rect(), picture);
    else
        painter.drawImage(QPoint(0, 0), picture);
}

bool TCaptureWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && recording_ &&
        recording_->Running())
        Abort();
    return QWidget::eventFilter(watched, event);
}

} // namespace zorvic
