#pragma once
#include "AviCap.h"
#include "CaptureDevice.h"
#include "SequenceCapture.h"

#include <QTimer>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace zorvic {

// The capture window: a child window that takes the requests of AviCap.h, connects a capture
// driver, shows its live picture, grabs frames into BMP files and records AVI files in the
// background. Status reports reach the callback on the user-interface thread.
class TCaptureWindow : public QWidget {
    Q_OBJECT
public:
    TCaptureWindow(QWidget* parent, const QRect& geometry);
    ~TCaptureWindow() override;

    std::intptr_t Perform(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

    // Why the last request that failed on a file failed ("Cannot create file ..."); empty when
    // it did not fail on a file.
    const std::string& FileError() const { return fileError_; }
    // The connected device; none without a driver.
    const TCaptureDevice* Device() const { return device_.get(); }
    bool Previewing() const { return previewing_; }
    bool Recording() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool DriverConnect(unsigned index);
    bool DriverDisconnect();
    bool GetDriverCaps(std::uintptr_t size, TCapDriverCaps* caps) const;
    bool SetCaptureFile(const char* name);
    bool SaveDib(const char* name);
    bool SetPreview(bool on);
    bool SetPreviewRate(std::uintptr_t milliseconds);
    bool SetScale(bool on);
    bool GrabFrame();
    bool StartSequence();
    bool Abort();
    bool GetSequenceSetup(std::uintptr_t size, TCaptureParms* parms) const;
    bool SetSequenceSetup(std::uintptr_t size, const TCaptureParms* parms);
    bool SourceDialog();
    bool FormatDialog();
    bool DisplayDialog();

    // A new picture of the device: shown at once, or when the preview rate allows.
    void PictureArrived(unsigned device);
    void ShowNewest();
    void Show(TSharedFrame picture);
    // Hands a report of any thread to the callback on the user-interface thread.
    void PostStatus(int id, const std::string& text, std::int64_t frames, unsigned recording);
    void Status(int id, const std::string& text);
    void DeviceLost(const std::string& reason, unsigned device);

    TCapStatusCallback statusCallback_ = nullptr;
    std::unique_ptr<TCaptureDevice> device_;
    unsigned deviceNumber_ = 0; // tells reports of a replaced device from those of this one
    unsigned driverIndex_ = 0;
    TCaptureParms parms_;
    std::string captureFile_;
    std::string fileError_;
    bool previewing_ = false;
    // The preview shows a picture as it arrives, but no two within the preview rate: a picture
    // that comes sooner waits for this timer.
    QTimer previewPace_;
    bool showWhenPaced_ = false;
    std::atomic<bool> arrivalAnnounced_{false};
    bool scale_ = false;
    TSharedFrame shown_;
    TSharedFrame grabbed_;
    std::unique_ptr<TSequenceCapture> recording_;
    unsigned recordingNumber_ = 0;
};

} // namespace zorvic
