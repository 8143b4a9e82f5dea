#include "FakeDesktop.h"

#include <algorithm>

namespace zorvic {

namespace {

bool Contains(const TRect& rect, TPoint point) {
    return point.x >= rect.Left && point.x < rect.Right && point.y >= rect.Top &&
           point.y < rect.Bottom;
}

// Each fake reads and records through the one desktop it shares with the others.
template <class Service> class FakeService : public Service {
public:
    explicit FakeService(std::shared_ptr<FakeDesktop> desktop) : desktop_(std::move(desktop)) {}

protected:
    std::shared_ptr<FakeDesktop> desktop_;
};

class FakeScreen final : public FakeService<ScreenGrabber> {
public:
    using FakeService::FakeService;
    TRect PrimaryScreen() override { return desktop_->Primary; }
    void Grab(TBitmap& target) override {
        target = desktop_->Screen;
        target.SetPixelFormat(TPixelFormat::pf32bit);
    }
};

class FakeCursor final : public FakeService<CursorSource> {
public:
    using FakeService::FakeService;
    TPoint Position() override { return desktop_->CursorPosition; }
    std::optional<CursorImage> Current() override { return desktop_->Cursor; }
};

class FakeWindows final : public FakeService<WindowLocator> {
public:
    using FakeService::FakeService;
    WindowId WindowAt(TPoint point) override {
        const auto& windows = desktop_->Windows;
        const auto hit = std::find_if(windows.rbegin(), windows.rend(), [&](const auto& window) {
            return Contains(window.Outer, point);
        });
        return hit == windows.rend() ? 0 : hit->Id;
    }
    WindowId ForegroundWindow() override { return desktop_->Foreground; }
    TRect OuterRect(WindowId window) override {
        for (const auto& known : desktop_->Windows)
            if (known.Id == window) return known.Outer;
        return {};
    }
    void Activate(WindowId window) override {
        desktop_->Activated.push_back(window);
        desktop_->Foreground = window;
    }
};

class FakeKeys final : public FakeService<KeySynthesizer> {
public:
    using FakeService::FakeService;
    void Send(std::span<const SynthKeyEvent> events) override {
        desktop_->SentKeys.insert(desktop_->SentKeys.end(), events.begin(), events.end());
    }
};

class FakeClipboard final : public FakeService<Clipboard> {
public:
    using FakeService::FakeService;
    void SetImage(const TBitmap& picture) override { desktop_->ClipboardImage = picture; }
};

class FakeWallpaper final : public FakeService<Wallpaper> {
public:
    using FakeService::FakeService;
    void SetDesktopWallpaper(const std::string& bmpPath) override {
        desktop_->WallpaperPath = bmpPath;
    }
};

// Every window counts as on the screen: whether it is shown is the toolkit's to say.
class FakeRepaints final : public FakeService<RepaintWait> {
public:
    using FakeService::FakeService;
    bool HideAndWait(WindowId window, const std::function<void()>& hide) override {
        hide();
        desktop_->HiddenAndWaitedFor.push_back(window);
        if (desktop_->WhileRepainting) desktop_->WhileRepainting();
        return true;
    }
};

} // namespace

FakeDesktop::FakeDesktop() : Screen(1920, 1080, TPixelFormat::pf32bit) {
    for (int y = 0; y < Screen.Height(); ++y)
        std::fill_n(Screen.ScanLine(y), Screen.Stride(), std::uint8_t{0});
}

PlatformServices FakeDesktop::Services() {
    auto self = shared_from_this();
    return {std::make_shared<FakeScreen>(self),    std::make_shared<FakeCursor>(self),
            std::make_shared<FakeWindows>(self),   std::make_shared<FakeKeys>(self),
            std::make_shared<FakeClipboard>(self), std::make_shared<FakeWallpaper>(self),
            std::make_shared<FakeRepaints>(self)};
}

} // namespace zorvic
