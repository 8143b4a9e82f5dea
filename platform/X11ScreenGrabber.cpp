#include "Errors.h"
#include "X11Services.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>

namespace zorvic::x11 {

namespace {

// An image in a shared-memory segment attached to the server, made once and reused: making a
// segment per grab costs ten times the grab itself.
class SharedImage {
public:
    // Throws nothing: an empty `image` means shared memory cannot be used (remote display,
    // no extension, no segment left).
    SharedImage(Display* display, int width, int height) : display_(display) {
        if (!XShmQueryExtension(display)) return;
        const int screen = DefaultScreen(display);
        ImagePtr image(XShmCreateImage(display, DefaultVisual(display, screen),
                                       DefaultDepth(display, screen), ZPixmap, nullptr, &info_,
                                       width, height));
        if (!image) return;
        info_.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image->bytes_per_line) * height,
                             IPC_CREAT | 0600);
        if (info_.shmid < 0) return;
        info_.shmaddr = static_cast<char*>(shmat(info_.shmid, nullptr, 0));
        // Marked for removal at once, so the segment goes away with the last process using it.
        shmctl(info_.shmid, IPC_RMID, nullptr);
        if (info_.shmaddr == reinterpret_cast<char*>(-1)) return;
        info_.readOnly = False;
        image->data = info_.shmaddr;
        ErrorTrap trap(display);
        XShmAttach(display, &info_);
        if (trap.Sync() != 0) {
            image->data = nullptr;
            shmdt(info_.shmaddr);
            return;
        }
        image_ = std::move(image);
    }

    ~SharedImage() {
        if (!image_) return;
        ErrorTrap trap(display_);
        XShmDetach(display_, &info_);
        trap.Sync();
        image_->data = nullptr; // the segment is not Xlib's to free
        shmdt(info_.shmaddr);
    }

    SharedImage(const SharedImage&) = delete;
    SharedImage& operator=(const SharedImage&) = delete;

    XImage* Image() const { return image_.get(); }

private:
    Display* display_;
    XShmSegmentInfo info_{};
    ImagePtr image_;
};

bool IsNativeBgrx(const XImage& image, const Visual& visual) {
    return image.bits_per_pixel == 32 && image.byte_order == LSBFirst &&
           std::endian::native == std::endian::little && visual.red_mask == 0xFF0000 &&
           visual.green_mask == 0xFF00 && visual.blue_mask == 0xFF;
}

// Copies an image of the target's size into it as blue, green, red, 0.
void CopyImage(XImage& image, const Visual& visual, TBitmap& target) {
    const int width = target.Width();
    if (IsNativeBgrx(image, visual)) {
        for (int y = 0; y < target.Height(); ++y) {
            const auto* from = reinterpret_cast<const std::uint32_t*>(
                image.data + static_cast<std::size_t>(image.bytes_per_line) * y);
            auto* to = reinterpret_cast<std::uint32_t*>(target.ScanLine(y));
            // The spare byte is whatever the server left there; clear it so that equal
            // pictures compare equal.
            for (int x = 0; x < width; ++x)
                to[x] = from[x] & 0x00FFFFFFu;
        }
        return;
    }
    for (int y = 0; y < target.Height(); ++y) {
        std::uint8_t* to = target.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(&image, x, y);
            to[4 * x] = ChannelFromPixel(pixel, visual.blue_mask);
            to[4 * x + 1] = ChannelFromPixel(pixel, visual.green_mask);
            to[4 * x + 2] = ChannelFromPixel(pixel, visual.red_mask);
            to[4 * x + 3] = 0;
        }
    }
}

template <class T, auto Free> struct XrrDeleter {
    void operator()(T* data) const {
        if (data) Free(data);
    }
};
using ResourcesPtr =
    std::unique_ptr<XRRScreenResources, XrrDeleter<XRRScreenResources, XRRFreeScreenResources>>;
using OutputPtr = std::unique_ptr<XRROutputInfo, XrrDeleter<XRROutputInfo, XRRFreeOutputInfo>>;
using CrtcPtr = std::unique_ptr<XRRCrtcInfo, XrrDeleter<XRRCrtcInfo, XRRFreeCrtcInfo>>;

class X11ScreenGrabber final : public ScreenGrabber {
public:
    explicit X11ScreenGrabber(std::shared_ptr<Connection> connection)
        : connection_(std::move(connection)) {}

    TRect PrimaryScreen() override {
        Display* display = connection_->Display();
        ErrorTrap trap(display);
        const TRect whole = RootRect();
        const TRect primary = PrimaryOutputRect();
        // The output may reach past a root window that was just shrunk; grab only what exists.
        const TRect clipped{std::max(primary.Left, whole.Left), std::max(primary.Top, whole.Top),
                            std::min(primary.Right, whole.Right),
                            std::min(primary.Bottom, whole.Bottom)};
        if (trap.Sync() != 0 || clipped.Width() <= 0 || clipped.Height() <= 0) return whole;
        return clipped;
    }

    void Grab(TBitmap& target) override {
        const TRect area = PrimaryScreen();
        if (target.Width() != area.Width() || target.Height() != area.Height() ||
            target.PixelFormat() != TPixelFormat::pf32bit)
            target = TBitmap(area.Width(), area.Height(), TPixelFormat::pf32bit);
        Display* display = connection_->Display();
        const Visual& visual = *DefaultVisual(display, DefaultScreen(display));
        if (XImage* shared = GrabShared(area)) {
            CopyImage(*shared, visual, target);
            return;
        }
        ErrorTrap trap(display);
        ImagePtr image(XGetImage(display, connection_->Root(), area.Left, area.Top,
                                 static_cast<unsigned>(area.Width()),
                                 static_cast<unsigned>(area.Height()), AllPlanes, ZPixmap));
        trap.ThrowIfFailed("Cannot read the screen");
        if (!image) throw EZorvicError("Cannot read the screen");
        CopyImage(*image, visual, target);
    }

private:
    TRect RootRect() {
        Window root = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        XGetGeometry(connection_->Display(), connection_->Root(), &root, &x, &y, &width, &height,
                     &border, &depth);
        return {0, 0, static_cast<int>(width), static_cast<int>(height)};
    }

    // The primary output's place, or an empty rectangle when none is set or it is off.
    TRect PrimaryOutputRect() {
        Display* display = connection_->Display();
        int eventBase = 0, errorBase = 0;
        if (!XRRQueryExtension(display, &eventBase, &errorBase)) return {};
        const Window root = connection_->Root();
        const RROutput output = XRRGetOutputPrimary(display, root);
        if (output == None) return {};
        ResourcesPtr resources(XRRGetScreenResourcesCurrent(display, root));
        if (!resources) return {};
        OutputPtr info(XRRGetOutputInfo(display, resources.get(), output));
        if (!info || info->crtc == None) return {};
        CrtcPtr crtc(XRRGetCrtcInfo(display, resources.get(), info->crtc));
        if (!crtc) return {};
        return {crtc->x, crtc->y, crtc->x + static_cast<int>(crtc->width),
                crtc->y + static_cast<int>(crtc->height)};
    }

    // The screen in the shared image, or nullptr to take the slow way.
    XImage* GrabShared(const TRect& area) {
        if (!sharedUsable_) return nullptr;
        XImage* image = shared_ ? shared_->Image() : nullptr;
        if (!image || image->width != area.Width() || image->height != area.Height()) {
            shared_.reset();
            shared_ =
                std::make_unique<SharedImage>(connection_->Display(), area.Width(), area.Height());
            image = shared_->Image();
            if (!image) {
                // A remote display or no extension: it will not get better.
                sharedUsable_ = false;
                shared_.reset();
                return nullptr;
            }
        }
        ErrorTrap trap(connection_->Display());
        const bool done = XShmGetImage(connection_->Display(), connection_->Root(), image,
                                       area.Left, area.Top, AllPlanes);
        // On a failure the plain grab below reports what went wrong.
        return done && trap.Sync() == 0 ? image : nullptr;
    }

    std::shared_ptr<Connection> connection_;
    std::unique_ptr<SharedImage> shared_;
    bool sharedUsable_ = true;
};

} // namespace

std::shared_ptr<ScreenGrabber> MakeScreenGrabber(std::shared_ptr<Connection> connection) {
    return std::make_shared<X11ScreenGrabber>(std::move(connection));
}

} // namespace zorvic::x11
