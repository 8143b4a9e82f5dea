#include "TVideoForm.h"

#include "ErrorBoundary.h"
#include "MciCommands.h"
#include "TCaptureWindow.h"
#include "VideoCap.h"
#include "VideoMci.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <climits>

namespace zorvic {

TVideoForm* VideoForm = nullptr;

namespace {

constexpr int kClientWidth = 711, kClientHeight = 415;
constexpr int kOuterPanelWidth = 442, kOperationPanelWidth = 269;
constexpr int kBevel = 2;

QFont WindowFont() {
    QFont font;
    // Tahoma 8 pt; it has no Chinese, so the CJK families behind it draw the captions.
    font.setFamilies({"Tahoma", "WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback"});
    font.setPixelSize(11);
    return font;
}

QPushButton* Button(const char* caption, QWidget* parent, const QRect& place) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setGeometry(place);
    return button;
}

QFrame* Panel(QWidget* parent, const QRect& place) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    panel->setGeometry(place);
    return panel;
}

void Caption(const char* text, QWidget* parent, int left, int top) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->move(left, top);
}

} // namespace

TVideoForm::TVideoForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("VideoForm"));
    setWindowTitle(QStringLiteral("摄像头捕捉"));
    setFont(WindowFont());
    setFixedSize(kClientWidth, kClientHeight);
    // Closing hides the window for the next time; it must never end the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    // Placed first, so that the panel in front covers it: the status texts are kept, not shown.
    VideoLabel = new QLabel(this);
    VideoLabel->move(16, 344);

    OuterPanel = new QFrame(this);
    OuterPanel->setGeometry(0, 0, kOuterPanelWidth, kClientHeight);
    OuterPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    OuterPanel->setLineWidth(kBevel);
    OuterPanel->setAutoFillBackground(true);
    VideoArea = new QFrame(OuterPanel);
    VideoArea->setGeometry(kBevel, kBevel, kOuterPanelWidth - 2 * kBevel,
                           kClientHeight - 2 * kBevel);
    CameraImage = new QLabel(VideoArea);
    CameraImage->setGeometry(VideoArea->rect());
    CameraImage->setAttribute(Qt::WA_TransparentForMouseEvents);

    OperationPanel = new QWidget(this);
    OperationPanel->setGeometry(kOuterPanelWidth, 0, kOperationPanelWidth, kClientHeight);
    CameraRadioBtn = new QRadioButton(QStringLiteral("捕捉摄像头"), OperationPanel);
    VideoRadioBtn = new QRadioButton(QStringLiteral("捕捉视频"), OperationPanel);
    CameraRadioBtn->hide();
    VideoRadioBtn->hide();
    sPageVideo = new QTabWidget(OperationPanel);
    sPageVideo->setGeometry(OperationPanel->rect());
    sPageVideo->tabBar()->hide();
    sTabCamera = new QWidget;
    sTabVideo = new QWidget;
    sPageVideo->addTab(sTabCamera, QStringLiteral("摄像头捕捉"));
    sPageVideo->addTab(sTabVideo, QStringLiteral("视频捕捉"));
    BuildCameraPage();
    BuildPlayerPage();

    ImageTimer = new QTimer(this);
    // Never early: a run of n pictures lasts at least n intervals.
    ImageTimer->setTimerType(Qt::PreciseTimer);
    ConnectHandlers();
    PaintOuterPanel(false);
}

TVideoForm::~TVideoForm() {
    ImageTimer->stop();
    CapRelease();
    MciClose();
}

void TVideoForm::BuildCameraPage() {
    QWidget* page = sTabCamera;
    SaveSinglePicBtn = Button("保存单个图像", page, {8, 10, 110, 26});

    VideoPanel = Panel(page, {6, 46, 251, 72});
    StartVideoBtn = Button("开始录像", VideoPanel, {8, 8, 80, 26});
    StopVideoBtn = Button("停止录像", VideoPanel, {96, 8, 80, 26});
    Caption("最大（秒）", VideoPanel, 8, 44);
    VideoTime = new QSpinBox(VideoPanel);
    VideoTime->setGeometry(96, 40, 64, 24);
    VideoTime->setRange(0, 30);
    VideoTime->setValue(3);

    ContinuousPicPanel = Panel(page, {6, 126, 251, 226});
    ContinuousPicBtn = Button("采集图片", ContinuousPicPanel, {8, 8, 80, 26});
    StopContinuousPicBtn = Button("停止采集", ContinuousPicPanel, {96, 8, 80, 26});
    StopContinuousPicBtn->setEnabled(false);
    TimeRadio = new QGroupBox(QStringLiteral("单位"), ContinuousPicPanel);
    TimeRadio->setGeometry(8, 40, 235, 46);
    auto* units = new QHBoxLayout(TimeRadio);
    units->setContentsMargins(6, 2, 2, 2);
    timeUnits_ = new QButtonGroup(this);
    const char* names[] = {"毫秒", "秒", "分", "时", "天"};
    for (int index = 0; index < 5; ++index) {
        auto* unit = new QRadioButton(QString::fromUtf8(names[index]), TimeRadio);
        timeUnits_->addButton(unit, index);
        units->addWidget(unit);
    }
    SetTimeUnitIndex(1);
    Caption("时间间隔", ContinuousPicPanel, 8, 98);
    IntervalSpinEdit = new QSpinBox(ContinuousPicPanel);
    IntervalSpinEdit->setGeometry(96, 94, 100, 24);
    IntervalSpinEdit->setRange(INT_MIN, INT_MAX);
    IntervalSpinEdit->setValue(3);
    imageList = new QPlainTextEdit(ContinuousPicPanel);
    imageList->setGeometry(8, 126, 235, 92);
    imageList->setReadOnly(true);

    VideoDisplayBtn = Button("视频显示器", page, {6, 362, 80, 26});
    VideoFormatBtn = Button("视频格式", page, {91, 362, 80, 26});
    VideoSourceBtn = Button("视频资源", page, {176, 362, 80, 26});
}

void TVideoForm::BuildPlayerPage() {
    QWidget* page = sTabVideo;
    StoreVideoFrameBBtn = Button("保存单个图像", page, {8, 10, 110, 26});
    StartDspBtn = Button("开始", page, {8, 46, 80, 26});
    StopDspBtn = Button("停止", page, {96, 46, 80, 26});
    LoopCBox = new QCheckBox(QStringLiteral("循环播放"), page);
    LoopCBox->move(8, 82);
    VideoTBar = new QSlider(Qt::Horizontal, page);
    VideoTBar->setGeometry(8, 110, 245, 26);
    VideoTBar->setRange(0, 10);
}

void TVideoForm::ConnectHandlers() {
    auto on = [this](auto* sender, auto signal, void (TVideoForm::*handler)()) {
        connect(sender, signal, this, Guarded([this, handler] { (this->*handler)(); }));
    };
    on(CameraRadioBtn, &QRadioButton::clicked, &TVideoForm::CameraRadioBtnClick);
    on(VideoRadioBtn, &QRadioButton::clicked, &TVideoForm::VideoRadioBtnClick);
    on(SaveSinglePicBtn, &QPushButton::clicked, &TVideoForm::SaveSinglePicBtnClick);
    on(StartVideoBtn, &QPushButton::clicked, &TVideoForm::StartVideoBtnClick);
    on(StopVideoBtn, &QPushButton::clicked, &TVideoForm::StopVideoBtnClick);
    on(ContinuousPicBtn, &QPushButton::clicked, &TVideoForm::ContinuousPicBtnClick);
    on(StopContinuousPicBtn, &QPushButton::clicked, &TVideoForm::StopContinuousPicBtnClick);
    on(ImageTimer, &QTimer::timeout, &TVideoForm::ImageTimerTimer);
    on(VideoDisplayBtn, &QPushButton::clicked, &TVideoForm::VideoDisplayBtnClick);
    on(VideoFormatBtn, &QPushButton::clicked, &TVideoForm::VideoFormatBtnClick);
    on(VideoSourceBtn, &QPushButton::clicked, &TVideoForm::VideoSourceBtnClick);
    on(StoreVideoFrameBBtn, &QPushButton::clicked, &TVideoForm::StoreVideoFrameBBtnClick);
    on(StartDspBtn, &QPushButton::clicked, &TVideoForm::StartDspBtnClick);
    on(StopDspBtn, &QPushButton::clicked, &TVideoForm::StopDspBtnClick);
    on(VideoTBar, &QSlider::valueChanged, &TVideoForm::VideoTBarChange);
}

int TVideoForm::TimeUnitIndex() const {
    return timeUnits_->checkedId();
}

void TVideoForm::SetTimeUnitIndex(int index) {
    if (QAbstractButton* unit = timeUnits_->button(index)) unit->setChecked(true);
}

TSaveSettings TVideoForm::SaveSettings() const {
    return host_ ? host_->SaveSettings() : TSaveSettings{};
}

void TVideoForm::PaintOuterPanel(bool recording) {
    // The picture covers the panel but for its bevel, so the bevel itself turns red.
    QPalette palette;
    if (recording)
        for (const QPalette::ColorRole role :
             {QPalette::Window, QPalette::Light, QPalette::Midlight, QPalette::Mid, QPalette::Dark,
              QPalette::Shadow})
            palette.setColor(role, Qt::red);
    else
        palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    OuterPanel->setPalette(palette);
    OuterPanel->repaint();
}

void TVideoForm::SetRecordingLook(bool recording) {
    recordingShown_ = recording;
    PaintOuterPanel(recording);
    StopVideoBtn->setEnabled(recording);
    StartVideoBtn->setEnabled(!recording);
}

void TVideoForm::FormActivate() {
    // Coming back to the window while it records keeps the clip going: connecting anew would
    // end it.
    if (CapWindow() && CapWindow()->Recording()) return;
    CameraRadioBtnClick();
}

void TVideoForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TVideoForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (const QScreen* shown = screen()) {
        const QRect area = shown->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TVideoForm::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}

bool TVideoForm::event(QEvent* event) {
    if (event->type() == TMciNotifyEvent::Kind()) {
        MciPlayNotified(static_cast<TMciNotifyEvent*>(event)->Flag);
        return true;
    }
    return QWidget::event(event);
}

} // namespace zorvic
