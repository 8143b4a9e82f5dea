#pragma once
// The dispatcher with its two windows on the in-memory desktop, whose screen shows a pattern in
// which every pixel differs from its neighbours.
#include "CaptureDispatcher.h"
#include "CaptureFakes.h"
#include "FakeDesktop.h"
#include "TDisPlayForm.h"
#include "TSelectAreaForm.h"

#include <gtest/gtest.h>

namespace zorvic::testing {

TColor ScreenPattern(int x, int y);
TBitmap PatternScreen(int width, int height);
// Whether `picture` is exactly the part `rect` of `screen`.
::testing::AssertionResult IsScreenPart(const TBitmap& picture, const TBitmap& screen,
                                        const TRect& rect);

class DispatchFixture : public ::testing::Test {
protected:
    // On the in-memory desktop unless real services are given.
    explicit DispatchFixture(std::optional<PlatformServices> real = std::nullopt);

    void PressHotKeyAndTick() {
        hooks.PressHotKey();
        dispatcher.Timer1Timer();
    }

    std::shared_ptr<FakeDesktop> desktop = std::make_shared<FakeDesktop>();
    PlatformServices platform;
    CallLog log;
    FakeHost host{log};
    FakeEditor editor{log};
    FakeHooks hooks{log};
    TDisPlayForm overlay;
    TSelectAreaForm frame;
    TCaptureDispatcher dispatcher{host, editor, overlay, frame, hooks.Calls(), platform};
};

} // namespace zorvic::testing
