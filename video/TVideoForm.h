#pragma once
#include "EditorHost.h"

#include <QWidget>

#include <chrono>
#include <cstdint>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTimer;

namespace zorvic {

// The camera window "摄像头捕捉": the live picture of the capture driver, single and interval
// pictures, recordings, the driver's dialogs, and on a hidden second page the player of the
// recorded clip. Created once; the main window shows it modally.
class TVideoForm : public QWidget {
    Q_OBJECT
public:
    explicit TVideoForm(QWidget* parent = nullptr);
    ~TVideoForm() override;

    // Where the save options are read, live, for every picture; the main window.
    void SetHost(const IEditorHost* host) { host_ = host; }

    QFrame* OuterPanel;
    QFrame* VideoArea;
    QLabel* CameraImage;
    QLabel* VideoLabel;
    QWidget* OperationPanel;
    QRadioButton* CameraRadioBtn;
    QRadioButton* VideoRadioBtn;
    QTabWidget* sPageVideo;
    QWidget* sTabCamera;
    QWidget* sTabVideo;
    QTimer* ImageTimer;

    // The camera page.
    QPushButton* SaveSinglePicBtn;
    QFrame* VideoPanel;
    QPushButton* StartVideoBtn;
    QPushButton* StopVideoBtn;
    QSpinBox* VideoTime;
    QFrame* ContinuousPicPanel;
    QPushButton* ContinuousPicBtn;
    QPushButton* StopContinuousPicBtn;
    QGroupBox* TimeRadio;
    QSpinBox* IntervalSpinEdit;
    QPlainTextEdit* imageList;
    QPushButton* VideoDisplayBtn;
    QPushButton* VideoFormatBtn;
    QPushButton* VideoSourceBtn;

    // The player page.
    QPushButton* StoreVideoFrameBBtn;
    QPushButton* StartDspBtn;
    QPushButton* StopDspBtn;
    QCheckBox* LoopCBox;
    QSlider* VideoTBar;

    void FormActivate();
    void FormClose();
    void CameraRadioBtnClick();
    void SaveSinglePicBtnClick();
    void ContinuousPicBtnClick();
    void ImageTimerTimer();
    void StopContinuousPicBtnClick();
    void StartVideoBtnClick();
    void StopVideoBtnClick();
    void RecordingStopped();
    void VideoDisplayBtnClick();
    void VideoFormatBtnClick();
    void VideoSourceBtnClick();

    void VideoRadioBtnClick();
    void StartDspBtnClick();
    void StopDspBtnClick();
    void StoreVideoFrameBBtnClick();
    void VideoTBarChange();
    void PlayEnded();

    // The index of the unit chosen in TimeRadio: 0 "毫秒" to 4 "天".
    int TimeUnitIndex() const;
    void SetTimeUnitIndex(int index);
    // Pictures taken by the running interval capture.
    int PicCount() const { return picCount_; }

signals:
    // The user closed the window; whoever hid itself to show it comes back.
    void Closed();

protected:
    void changeEvent(QEvent* event) override;
    // Centred on the screen each time it is shown.
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildCameraPage();
    void BuildPlayerPage();
    void ConnectHandlers();
    // Red while recording, the colour of buttons otherwise; repainted at once.
    void PaintOuterPanel(bool recording);
    // The panel's colour and which of the two recording buttons can be pressed.
    void SetRecordingLook(bool recording);
    // Which player controls can be used while a clip plays, and while it does not.
    void SetPlayingLook(bool playing);
    TSaveSettings SaveSettings() const;

    const IEditorHost* host_ = nullptr;
    QButtonGroup* timeUnits_;
    bool recordingShown_ = false; // the panel is red
    int picCount_ = 0;
    int nextPictureNumber_ = 0;
    std::chrono::steady_clock::time_point intervalStart_{};
};

// The program's one camera window.
extern TVideoForm* VideoForm;

} // namespace zorvic
