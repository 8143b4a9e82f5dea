#pragma once

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace zorvic {

class TRadioGroup;
class TUpDown;

// The main window's controls by name. The pages and the panel that build them fill these, and
// the main window carries a copy, because the capture, the editor and the camera read them live.

struct TModeButtons {
    QPushButton* ActiveWindowBtn = nullptr;
    QPushButton* FullScreenBtn = nullptr;
    QPushButton* RegionBtn = nullptr;
    QPushButton* FixRegionBtn = nullptr;
    QPushButton* AxtiveObjectBtn = nullptr;
    QPushButton* CameraBtn = nullptr;
    QFrame* sBevel = nullptr;
    QPushButton* CutBtn = nullptr;
};

// The General page ("常规").
struct TConventionalControls {
    QCheckBox* OverSound = nullptr;
    QCheckBox* IncludeMouse = nullptr;
    QCheckBox* DelayTime = nullptr;
    QLineEdit* DelayTimeCap = nullptr;
    TUpDown* DelayTimeUpDown = nullptr;
    QCheckBox* HideMainForm = nullptr;
    QLabel* Introd = nullptr;
    QLineEdit* WidthValue = nullptr;
    QLineEdit* HeightValue = nullptr;
    QPushButton* ConventionalOKBtn = nullptr;
};

// The Save page ("存储"); the editor saves with these before OK stores them.
struct TSaveControls {
    QGroupBox* SaveGroupBox = nullptr;
    QRadioButton* NameASTime = nullptr;
    QRadioButton* NameASTemp = nullptr;
    QLineEdit* FNameTemp = nullptr;
    QLineEdit* SaveDir = nullptr;
    QPushButton* SaveDirBtn = nullptr;
    // Format index: 0 "bmp", 1 "jpg", 2 "gif", 3 "tif", 4 "png".
    TRadioGroup* PicFormatRadioGroup = nullptr;
    QLabel* JpgComp = nullptr;
    // JPEG quality, 1 .. 100.
    QSlider* JpgCompTrackBar = nullptr;
    QPushButton* SaveOKBtn = nullptr;
};

// The Advanced page ("高级").
struct THighControls {
    QCheckBox* AutoStart = nullptr;
    // Stored for compatibility, never shown: parking at start is the "s" argument's job.
    QCheckBox* StartToTray = nullptr;
    // 0 "最小化到托盘", 1 "退出主程序".
    TRadioGroup* QuitMain = nullptr;
    QPushButton* HighBtn = nullptr;
};

} // namespace zorvic
