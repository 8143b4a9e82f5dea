#include "PlatformServices.h"
#include "Errors.h"
#include "ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <optional>

namespace zorvic {
namespace {

TEST(PlatformServices, MissingDisplayIsAClearError) {
    try {
        MakeX11Platform(":997");
        FAIL() << "no error";
    } catch (const EZorvicError& error) {
        EXPECT_NE(std::string(error.what()).find(":997"), std::string::npos) << error.what();
    }
}

TEST(PlatformServices, FakesWhenAskedNeedNoDisplay) {
    const testing::TScopedEnvironment noDisplay("DISPLAY", std::nullopt);
    const testing::TScopedEnvironment fake("ZORVIC_FAKE_PLATFORM", "1");
    PlatformServices& platform = Platform();
    TBitmap screen;
    platform.Screen->Grab(screen);
    EXPECT_EQ(screen.Width(), 1920);
    EXPECT_EQ(screen.GetPixel(100, 100), clBlack);
    EXPECT_NO_THROW(SendCaptureHotKey(*platform.Keys));
}

} // namespace
} // namespace zorvic
