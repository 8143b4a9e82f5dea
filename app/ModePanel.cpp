#include "ModePanel.h"

#include "AppIcons.h"

#include <QButtonGroup>
#include <QFrame>
#include <QPushButton>

namespace zorvic {

namespace {

QPushButton* PanelButton(const QString& caption, const QString& toolTip, TPanelImage image,
                         QWidget* parent, const QRect& place) {
    auto* button = new QPushButton(QIcon(PanelImage(image)), caption, parent);
    button->setToolTip(toolTip);
    button->setIconSize(QSize(24, 24));
    button->setGeometry(place);
    return button;
}

} // namespace

TModePanel::TModePanel(QWidget* parent) : QWidget(parent), modes_(new QButtonGroup(this)) {
    ActiveWindowBtn = PanelButton("活动窗口", "截取目前活动窗口", TPanelImage::ActiveWindow, this,
                                  QRect(19, 3, 100, 32));
    FullScreenBtn = PanelButton("整个屏幕", "截取当前整个屏幕", TPanelImage::FullScreen, this,
                                QRect(19, 41, 100, 32));
    RegionBtn = PanelButton("选定区域", "根据自己意愿拖动鼠标来完成截图", TPanelImage::Region, this,
                            QRect(19, 79, 100, 32));
    FixRegionBtn = PanelButton("固定区域", "截取固定大小的图片", TPanelImage::FixRegion, this,
                               QRect(19, 117, 100, 32));
    AxtiveObjectBtn = PanelButton("选定控件", "截取选定的控件", TPanelImage::Control, this,
                                  QRect(19, 155, 100, 32));
    for (QPushButton* mode :
         {ActiveWindowBtn, FullScreenBtn, RegionBtn, FixRegionBtn, AxtiveObjectBtn}) {
        mode->setCheckable(true);
        modes_->addButton(mode);
    }
    RegionBtn->setChecked(true);

    CameraBtn =
        PanelButton("摄像头", QString(), TPanelImage::Camera, this, QRect(19, 193, 100, 32));
    sBevel = new QFrame(this);
    sBevel->setFrameShape(QFrame::HLine);
    sBevel->setFrameShadow(QFrame::Sunken);
    sBevel->setGeometry(0, 228, 138, 2);
    CutBtn = PanelButton("捕捉", "点击截图", TPanelImage::Capture, this, QRect(23, 231, 89, 35));
}

} // namespace zorvic
