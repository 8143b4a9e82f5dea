// The camera page's commands: the camera start, single and interval pictures, recordings and
// the driver's dialogs.
#include "TVideoForm.h"

#include "FormatConversion.h"
#include "IntervalCapture.h"
#include "SaveNames.h"
#include "VideoCap.h"
#include "VideoMci.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

namespace zorvic {
namespace {

// Grabs a frame into the BMP file `bmp`; the live picture comes back whether or not the file
// could be written.
void GrabFrameTo(const std::string& bmp) {
    struct TPreviewBack {
        ~TPreviewBack() { CapRestartPreview(); }
    } previewBack;
    CapSetImageFileName(bmp);
    CapGrabToFile();
}

// Converts a grabbed BMP file into the chosen format; "bmp" leaves it as it is.
void ConvertGrab(const std::string& bmp, const TSaveSettings& settings) {
    if (settings.FormatIndex == kFormatBmp) return;
    ConvertBmpToFormat(bmp, WithExtension(bmp, ExtensionOfFormat(settings.FormatIndex)),
                       settings.FormatIndex, settings.JpegQuality);
}

} // namespace

void TVideoForm::CameraRadioBtnClick() {
    sPageVideo->setCurrentWidget(sTabCamera);
    MciClose();
    // Connecting anew ends a recording with the capture window that made it.
    if (recordingShown_) RecordingStopped();
    CapSetParent(VideoArea);
    CapSetStatusLabel(VideoLabel);
    CapSetOnFrameLimit([this] { RecordingStopped(); });
    if (!CapConnect()) return;
    CapSetFrameLimit(45);
    CapStartPreview();
    if (!CapHasSourceDialog()) VideoSourceBtn->setEnabled(false);
    if (!CapHasDisplayDialog()) VideoDisplayBtn->setEnabled(false);
    if (!CapHasFormatDialog()) VideoFormatBtn->setEnabled(false);
}

void TVideoForm::FormClose() {
    // An interval capture ends with the window, as does a recording with its capture window.
    ImageTimer->stop();
    CapRelease();
    MciClose();
    if (recordingShown_) RecordingStopped();
    emit Closed();
}

void TVideoForm::SaveSinglePicBtnClick() {
    const TSaveSettings settings = SaveSettings();
    // The editor's automatic name and counter; the picture is grabbed as BMP beside it.
    const std::string bmp = WithExtension(NextAutomaticSavePath(settings), ".bmp");
    GrabFrameTo(bmp);
    ConvertGrab(bmp, settings);
}

void TVideoForm::ContinuousPicBtnClick() {
    const int interval = IntervalMilliseconds(IntervalSpinEdit->value(), TimeUnitIndex());
    picCount_ = 0;
    nextPictureNumber_ = 0;
    // An interval of 0 or below takes no pictures; the run is timed all the same.
    if (interval > 0)
        ImageTimer->start(interval);
    else
        ImageTimer->stop();
    intervalStart_ = std::chrono::steady_clock::now();
    StopContinuousPicBtn->setEnabled(true);
}

void TVideoForm::ImageTimerTimer() {
    try {
        const TSaveSettings settings = SaveSettings();
        const std::string bmp = IntervalPicturePath(settings, nextPictureNumber_);
        GrabFrameTo(bmp);
        ConvertGrab(bmp, settings);
        imageList->appendPlainText(QString::fromStdString(bmp));
        ++picCount_;
    } catch (...) {
        // One message, not one a tick: a picture that cannot be written ends the run.
        ImageTimer->stop();
        throw;
    }
}

void TVideoForm::StopContinuousPicBtnClick() {
    const auto stop = std::chrono::steady_clock::now();
    ImageTimer->stop();
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(stop - intervalStart_).count();
    for (const std::string& line : IntervalStatistics(picCount_, elapsed))
        imageList->appendPlainText(QString::fromStdString(line));
}

void TVideoForm::StartVideoBtnClick() {
    SetRecordingLook(true);
    CapSetFrameLimit(VideoTime->value() * 15);
    try {
        CapStartRecording();
    } catch (...) {
        SetRecordingLook(false);
        throw;
    }
}

void TVideoForm::StopVideoBtnClick() {
    CapStopRecording();
    SetRecordingLook(false);
}

void TVideoForm::RecordingStopped() {
    SetRecordingLook(false);
}

void TVideoForm::VideoDisplayBtnClick() {
    CapDisplayDialog();
}

void TVideoForm::VideoFormatBtnClick() {
    CapFormatDialog();
}

void TVideoForm::VideoSourceBtnClick() {
    CapSourceDialog();
}

} // namespace zorvic
