// The driver dialogs, built from what a device describes.
#include "DriverDialogs.h"
#include "Errors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <map>

namespace zorvic {
namespace {

using TKind = TDeviceControl::TKind;

std::vector<TDeviceControl> WebcamControls() {
    TDeviceControl brightness{1, "Brightness", TKind::Integer, -64, 64, 2, 0, 10, {}};
    TDeviceControl automatic{2, "White Balance, Auto", TKind::Boolean, 0, 1, 1, 1, 1, {}};
    TDeviceControl frequency{3,
                             "Power Line Frequency",
                             TKind::Menu,
                             0,
                             2,
                             1,
                             1,
                             2,
                             {{0, "Disabled"}, {1, "50 Hz"}, {2, "60 Hz"}}};
    TDeviceControl reset{4, "Pan/Tilt Reset", TKind::Button, 0, 0, 1, 0, 0, {}};
    return {brightness, automatic, frequency, reset};
}

TEST(SourceDialog, EachControlGetsAnEditorWithItsRangeAndValueAndSetsTheDevice) {
    std::map<unsigned, int> set;
    TSourceDialog dialog(nullptr, "USB Camera", WebcamControls(),
                         [&](unsigned id, int value) { set[id] = value; });
    auto* brightness = dialog.findChild<QSpinBox*>();
    auto* automatic = dialog.findChild<QCheckBox*>();
    auto* frequency = dialog.findChild<QComboBox*>();
    ASSERT_TRUE(brightness && automatic && frequency);
    EXPECT_EQ(brightness->minimum(), -64);
    EXPECT_EQ(brightness->maximum(), 64);
    EXPECT_EQ(brightness->singleStep(), 2);
    EXPECT_EQ(brightness->value(), 10);
    EXPECT_TRUE(automatic->isChecked());
    EXPECT_EQ(frequency->currentText(), "60 Hz");

    brightness->setValue(-20);
    automatic->setChecked(false);
    frequency->activated(1);
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == "执行") button->click();
    EXPECT_EQ(set, (std::map<unsigned, int>{{1, -20}, {2, 0}, {3, 1}, {4, 1}}));

    set.clear();
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == "默认值") button->click();
    EXPECT_EQ(set, (std::map<unsigned, int>{{1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(brightness->value(), 0);
    EXPECT_TRUE(automatic->isChecked());
    EXPECT_EQ(frequency->currentText(), "50 Hz");
}

TEST(SourceDialog, AValueTheDeviceRefusesIsExplainedInTheDialog) {
    TSourceDialog dialog(nullptr, "USB Camera", WebcamControls(), [](unsigned, int) {
        throw EZorvicError("/dev/video0: Device or resource busy");
    });
    dialog.findChild<QSpinBox*>()->setValue(30);
    bool explained = false;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        explained |= label->text() == "/dev/video0: Device or resource busy";
    EXPECT_TRUE(explained);
}

TEST(FormatDialog, OffersTheFormatsWithTheirSizesStartingFromTheCurrentOne) {
    const std::vector<TDeviceFormat> formats = {
        {"yuyv422", "YUYV 4:2:2", {{640, 480}, {320, 240}}},
        {"mjpeg", "Motion-JPEG", {{1280, 720}, {640, 480}, {320, 240}}}};
    TFormatDialog dialog(nullptr, formats, {"mjpeg", {640, 480}});
    EXPECT_EQ(dialog.Choice(), (TFormatChoice{"mjpeg", {640, 480}}));
    const QList<QComboBox*> boxes = dialog.findChildren<QComboBox*>();
    ASSERT_EQ(boxes.size(), 2);
    boxes[0]->setCurrentIndex(0);
    boxes[0]->activated(0);
    EXPECT_EQ(boxes[1]->count(), 2);
    boxes[1]->setCurrentIndex(1);
    EXPECT_EQ(dialog.Choice(), (TFormatChoice{"yuyv422", {320, 240}}));
}

TEST(DisplayDialog, TellsWhatTheDeviceSendsAndHowTheWindowShowsIt) {
    TDisplayFacts facts;
    facts.Driver = "Test pattern";
    facts.Input = "testsrc2=size=640x480:rate=25,realtime";
    facts.Device = {"yuv420p", {640, 480}, 25};
    facts.Window = {438, 411};
    facts.Scaled = true;
    facts.PreviewMilliseconds = 40;
    TDisplayDialog dialog(nullptr, facts);
    QStringList shown;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        shown << label->text();
    for (const char* expected : {"Test pattern", "yuv420p", "640x480", "25 帧/秒", "每 40 毫秒一帧",
                                 "缩放到窗口 438x411", "正常"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(expected))) << expected;
}

} // namespace
} // namespace zorvic
