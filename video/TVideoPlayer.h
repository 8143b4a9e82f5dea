#pragma once
#include "AviDecoder.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <string>

namespace zorvic {

// The video window of an opened MCI device: shows one AVI file's pictures, stretched to its
// size, and plays them at the file's frame rate on the user-interface thread. A play request
// that ends (run to the end, stopped, or replaced) posts its notification to the window that
// asked for one.
class TVideoPlayer : public QWidget {
    Q_OBJECT
public:
    // Throws EZorvicError when the file cannot be read or its first stream is no video with
    // frames.
    TVideoPlayer(QWidget* parent, const std::string& file);

    // Where the device stands: the frame shown, or the clip's length after playing to the end.
    int Position() const { return position_; }
    void SetSeekExactly(bool exactly) { exactly_ = exactly; }
    // Ends playing (aborting its notification) and shows `frame`. False when it is out of range.
    bool Seek(int frame);
    // Plays from `frame` on; `notify` (may be none) hears when it ends. False when out of range.
    bool PlayFrom(int frame, QWidget* notify);
    void Stop();
    bool Playing() const { return timer_.isActive(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Show(TSharedFrame picture);
    void NextFrame();
    // Ends a pending play request with the given notification flag.
    void EndRequest(unsigned flag);

    TAviDecoder decoder_;
    int length_ = 0;
    int position_ = 0;
    bool exactly_ = true;
    TSharedFrame shown_;
    QTimer timer_;
    bool notifyPending_ = false;
    QPointer<QWidget> notify_;
};

} // namespace zorvic
