#pragma once
#include "CaptureDrivers.h"
#include "EditorHost.h"
#include "MessageBoxes.h"
#include "TVideoForm.h"
#include "VideoTestSupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zorvic::test {

// The save options the camera window reads, as the main window would give them.
class TTestHost : public IEditorHost {
public:
    TSaveSettings Settings;
    TSaveSettings SaveSettings() const override { return Settings; }
    bool CaptureSoundWanted() const override { return false; }
    void PlayCaptureSound() override {}
    void EditorClosed() override {}
    void OpenReadme() override {}
    void OpenMail() override {}
};

// A camera window in a folder of its own, which is also the current directory (the clip goes
// there); pictures are saved in its "pictures" folder as JPEG by template "截图" from counter 1.
// Messages are kept instead of shown.
class CameraWindowTest : public ::testing::Test {
protected:
    CameraWindowTest();
    ~CameraWindowTest() override;

    // Shows the window, waits for it to be active and, unless no driver is expected, for the
    // live picture.
    void ShowWindow(bool expectPicture = true);
    // Replaces the drivers for this test: `drivers[i]` at index i, the others absent.
    void UseDrivers(std::vector<TDriverSource> drivers);
    std::string Picture(const std::string& name) const { return pictures + "/" + name; }
    // The memo's lines.
    std::vector<std::string> MemoLines() const;
    std::string StatusText() const;
    // Activates another window and then this one again, waiting for each to be active.
    ::testing::AssertionResult LeaveAndComeBack();
    // What the video area draws, and what the X server shows of it.
    QImage VideoAreaImage() const;
    QImage VideoAreaOnScreen() const;
    // Whether the image shows the test pattern: its bars in their colours.
    static bool ShowsTestPattern(const QImage& image);

    TTempDir folder;
    TCurrentDirectory current{folder.Path("")};
    const std::string pictures = folder.Path("pictures");
    TTestHost host;
    std::vector<std::string> messages;
    TMessageBoxOverride recordedBoxes{
        [this](const std::string& text) { messages.push_back(text); }};
    std::unique_ptr<TVideoForm> form;
};

} // namespace zorvic::test
