#include "TVideoPlayer.h"

#include "Errors.h"
#include "MciCommands.h"

#include <QCoreApplication>
#include <QPainter>

#include <cmath>

namespace zorvic {

TVideoPlayer::TVideoPlayer(QWidget* parent, const std::string& file)
    : QWidget(parent), decoder_(file), length_(decoder_.FrameCount()) {
    if (length_ <= 0) throw EZorvicError(file + ": no video frames");
    const double rate = decoder_.FramesPerSecond();
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(rate > 0 ? static_cast<int>(std::lround(1000 / rate)) : 40);
    connect(&timer_, &QTimer::timeout, this, &TVideoPlayer::NextFrame);
    Show(decoder_.DecodeAt(0, true));
    position_ = 0;
}

bool TVideoPlayer::Seek(int frame) {
    if (frame < 0 || frame > length_) return false;
    Stop();
    if (frame == length_) {
        position_ = length_;
        return true;
    }
    TSharedFrame picture = decoder_.DecodeAt(frame, exactly_);
    position_ = picture ? static_cast<int>(picture->Number) : frame;
    Show(std::move(picture));
    return true;
}

bool TVideoPlayer::PlayFrom(int frame, QWidget* notify) {
    if (frame < 0 || frame > length_) return false;
    EndRequest(MCI_NOTIFY_SUPERSEDED);
    timer_.stop();
    TSharedFrame picture = frame < length_ ? decoder_.DecodeAt(frame, exactly_) : nullptr;
    notifyPending_ = notify != nullptr;
    notify_ = notify;
    if (!picture) {
        position_ = length_;
        EndRequest(MCI_NOTIFY_SUCCESSFUL);
        return true;
    }
    position_ = static_cast<int>(picture->Number);
    Show(std::move(picture));
    timer_.start();
    return true;
}

void TVideoPlayer::Stop() {
    timer_.stop();
    EndRequest(MCI_NOTIFY_ABORTED);
}

void TVideoPlayer::NextFrame() {
    TSharedFrame picture = decoder_.DecodeNext();
    if (!picture) {
        timer_.stop();
        position_ = length_;
        EndRequest(MCI_NOTIFY_SUCCESSFUL);
        return;
    }
    position_ = static_cast<int>(picture->Number);
    Show(std::move(picture));
}

void TVideoPlayer::EndRequest(unsigned flag) {
    if (!notifyPending_) return;
    notifyPending_ = false;
    if (notify_) QCoreApplication::postEvent(notify_, new TMciNotifyEvent(flag));
}

void TVideoPlayer::Show(TSharedFrame picture) {
    shown_ = std::move(picture);
    update();
}

void TVideoPlayer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (shown_)
        painter.drawImage(rect(), FrameImage(*shown_));
    else
        painter.fillRect(rect(), Qt::black);
}

} // namespace zorvic
