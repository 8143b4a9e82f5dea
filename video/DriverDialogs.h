#pragma once
#include "CaptureDevice.h"
#include "DeviceSettings.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;

namespace zorvic {

// "视频资源": the device's controls; each change is set on the device at once, and "默认值"
// sets them all back to the driver's defaults.
class TSourceDialog : public QDialog {
    Q_OBJECT
public:
    using TSetControl = std::function<void(unsigned id, int value)>;
    TSourceDialog(QWidget* parent, const std::string& driver, std::vector<TDeviceControl> controls,
                  TSetControl set);

private:
    QWidget* ControlEditor(const TDeviceControl& control);
    void Set(unsigned id, int value);
    void SetDefaults();

    TSetControl set_;
    std::vector<std::pair<TDeviceControl, QWidget*>> editors_;
    QLabel* problem_;
};

// "视频格式": the pixel formats and picture sizes the device offers.
class TFormatDialog : public QDialog {
    Q_OBJECT
public:
    TFormatDialog(QWidget* parent, std::vector<TDeviceFormat> formats,
                  const TFormatChoice& current);
    TFormatChoice Choice() const;

private:
    void ListSizes(int format, TFrameSize preferred);

    std::vector<TDeviceFormat> formats_;
    QComboBox* formatBox_;
    QComboBox* sizeBox_;
};

// What the display dialog tells.
struct TDisplayFacts {
    std::string Driver;
    std::string Input; // device node or filter graph
    TDeviceInfo Device;
    TFrameSize Window;
    bool Scaled = false;
    int PreviewMilliseconds = 0; // 0: the preview is stopped
    bool Lost = false;
};

// "视频显示器": what the device sends and how the window shows it. Nothing here is set: the
// window's display has no hardware overlay or palette to choose.
class TDisplayDialog : public QDialog {
    Q_OBJECT
public:
    TDisplayDialog(QWidget* parent, const TDisplayFacts& facts);
};

} // namespace zorvic
