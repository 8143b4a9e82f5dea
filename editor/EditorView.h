#pragma once
#include "TBitmap.h"

#include <QWidget>

namespace zorvic {

// The image control that holds and shows the editor's picture. AutoSize makes the control take
// the picture's size; Center draws an unstretched picture in the middle of the control; Stretch
// scales the picture to the control, which is how the zoom works.
class TPictureView : public QWidget {
    Q_OBJECT
public:
    explicit TPictureView(QWidget* parent = nullptr);

    const TBitmap& Picture() const { return picture_; }
    // For commands that change the picture in place; call PictureChanged afterwards.
    TBitmap& Picture() { return picture_; }
    void PictureChanged();
    // After a change confined to an area of the picture: only that part is repainted.
    void PictureChanged(const TRect& area);
    void SetPicture(const TBitmap& picture);

    // The picture pixel under a point of the control, wherever the display stretches or centres
    // the picture; it may lie outside the picture.
    TPoint PicturePoint(QPoint controlPoint) const;

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    bool Center() const { return center_; }
    // A size request is ignored while AutoSize holds the control at the picture's size.
    void SetControlSize(int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the picture is drawn in the control.
    QRect PictureArea() const;

    TBitmap picture_;
    bool autoSize_ = true;
    bool center_ = true;
    bool stretch_ = false;
};

} // namespace zorvic
