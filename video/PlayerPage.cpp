// The player page's commands: the recorded clip played back, followed on the track bar, and
// single frames saved from it.
#include "TVideoForm.h"

#include "BmpFile.h"
#include "FileNameCase.h"
#include "VideoCap.h"
#include "VideoMci.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

namespace zorvic {

void TVideoForm::VideoRadioBtnClick() {
    sPageVideo->setCurrentWidget(sTabVideo);
    CapRelease();
    MciSetParent(VideoArea);
    // The recording's "Video.avi" under another spelling; the player finds it either way.
    MciSetFileName("VIDEO.AVI");
    MciSetNotifyWindow(this);
    const int frames = AviFrameCount();
    const bool playable = frames > 0;
    StoreVideoFrameBBtn->setEnabled(playable);
    VideoTBar->setEnabled(playable);
    if (playable) {
        VideoTBar->show();
        VideoTBar->setRange(0, frames - 1);
        VideoTBar->setValue(0);
    }
    MciSetOnPlayEnd([this] { PlayEnded(); });
    MciOpen();
}

void TVideoForm::VideoTBarChange() {
    MciSeek(VideoTBar->value());
}

void TVideoForm::SetPlayingLook(bool playing) {
    StopDspBtn->setEnabled(playing);
    StartDspBtn->setEnabled(!playing);
    VideoTBar->setEnabled(!playing);
    StoreVideoFrameBBtn->setEnabled(!playing);
}

void TVideoForm::StartDspBtnClick() {
    SetPlayingLook(true);
    if (VideoTBar->value() >= VideoTBar->maximum()) VideoTBar->setValue(0);
    MciPlayFrom(VideoTBar->value());
}

void TVideoForm::StopDspBtnClick() {
    LoopCBox->setChecked(false);
    MciStop();
    SetPlayingLook(false);
    VideoTBar->setValue(MciPosition());
    VideoTBar->repaint();
}

void TVideoForm::PlayEnded() {
    SetPlayingLook(false);
    const int position = MciPosition();
    VideoTBar->setValue(position < VideoTBar->maximum() ? position : 0);
    VideoTBar->repaint();
    if (LoopCBox->isChecked()) StartDspBtnClick();
}

void TVideoForm::StoreVideoFrameBBtnClick() {
    TBitmap frame;
    if (AviGrabFrame(frame)) SaveBmpFile(frame, FromCurrentDirectory("Image2.bmp"));
}

} // namespace zorvic
