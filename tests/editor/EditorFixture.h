#pragma once
#include "EditorHost.h"
#include "FakeDesktop.h"
#include "MessageBoxes.h"
#include "TBitmap.h"
#include "TSaveForm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace zorvic::testing {

// Records what the editor asks of the main window.
class TTestHost : public IEditorHost {
public:
    TSaveSettings Settings;
    bool SoundWanted = false;
    int SoundCount = 0, ClosedCount = 0, ReadmeCount = 0, MailCount = 0;

    TSaveSettings SaveSettings() const override { return Settings; }
    bool CaptureSoundWanted() const override { return SoundWanted; }
    void PlayCaptureSound() override { ++SoundCount; }
    void EditorClosed() override { ++ClosedCount; }
    void OpenReadme() override { ++ReadmeCount; }
    void OpenMail() override { ++MailCount; }
};

// A 24-bit picture in which every pixel differs from its neighbours, so any misplaced pixel
// shows.
TBitmap Pattern(int width, int height);

// Same size, format-independent pixel colours.
::testing::AssertionResult SamePicture(const TBitmap& actual, const TBitmap& expected);

TBitmap Turned(TBitmap picture, void (*transform)(TBitmap&));

// An editor with a test host on the in-memory desktop, its message boxes silenced; a picture
// loaded and shown as after a capture.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void Open(const TBitmap& picture);

    TTestHost host;
    std::shared_ptr<FakeDesktop> desktop = std::make_shared<FakeDesktop>();
    TMessageBoxOverride silentBoxes{[](const std::string&) {}};
    std::unique_ptr<TSaveForm> form;
};

} // namespace zorvic::testing
