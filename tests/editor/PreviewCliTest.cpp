// What OK on the preview panel applies is what `zorvic-cli apply` applies for the same operation
// and value, byte for byte in the written file.
#include "CliHarness.h"
#include "EditorFixture.h"
#include "PanelPreview.h"
#include "Random.h"

#include <QAction>
#include <QPushButton>
#include <QSlider>

#include <string>
#include <vector>

namespace zorvic::testing {
namespace {

using PreviewMatchesCliTest = EditorTest;
using E = TAdjustableEffect;

TEST_F(PreviewMatchesCliTest, OKWritesTheFileThatApplyWritesForEveryEffect) {
    const struct {
        QAction* TEditorMenus::*menu;
        E effect;
        std::vector<int> values;
        std::string operation;
    } cases[] = {
        {&TEditorMenus::ContrastMenu, E::Contrast, {-70}, "contrast=-70"},
        {&TEditorMenus::ContrastMenu, E::Contrast, {90}, "contrast=90"},
        {&TEditorMenus::SaturationMenu, E::Saturation, {130}, "saturation=130"},
        {&TEditorMenus::BrightnessMenu, E::Brightness, {-41}, "brightness=-41"},
        {&TEditorMenus::RGBMenu, E::RGB, {20, -10, 5}, "rgb=20,-10,5"},
        {&TEditorMenus::SharpeningMenu, E::Sharpen, {120}, "sharpen=120"},
        {&TEditorMenus::BlackAndWhiteNoiseMenu, E::MonoNoise, {333}, "noise=333"},
        {&TEditorMenus::ColorNoiseMenu, E::ColorNoise, {91}, "colour-noise=91"},
        {&TEditorMenus::SplashMenu, E::Splash, {9}, "splash=9"},
        {&TEditorMenus::MosaicMenu, E::Mosaic, {6}, "mosaic=6"},
        {&TEditorMenus::NeonMenu, E::Neon, {-4}, "neon=-4"},
    };
    const test::TTempDir folder;
    const test::fs::path input = folder / "in.bmp";
    test::WritePatternBmp(input, 97, 61);
    TBitmap picture;
    picture.LoadFromFile(input.string());
    constexpr std::uint32_t seed = 90210;

    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        Open(picture);
        (form->Menus.*c.menu)->trigger();
        for (std::size_t i = 0; i < c.values.size(); ++i)
            form->PanelPreview->Page(c.effect).TrackBars[i]->setValue(c.values[i]);
        SetRandomSeed(seed);
        form->PanelPreview->ParametersOKBtn->click();
        const test::fs::path ours = folder / "editor.bmp", theirs = folder / "cli.bmp";
        form->Picture().SaveToFile(ours.string());

        const test::CliResult run = test::RunCli({"apply", input.string(), theirs.string(),
                                                  c.operation, "--seed", std::to_string(seed)});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(test::ReadBytes(ours), test::ReadBytes(theirs));
        // Both sides doing nothing would match too.
        EXPECT_FALSE(SamePicture(form->Picture(), picture));
        form->close();
    }
}

} // namespace
} // namespace zorvic::testing
