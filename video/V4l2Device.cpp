#include "V4l2Device.h"

#include "Errors.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace zorvic {
namespace {

// An open device node, closed on every way out.
class TNode {
public:
    explicit TNode(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)) {}
    ~TNode() {
        if (fd_ >= 0) ::close(fd_);
    }
    TNode(const TNode&) = delete;
    TNode& operator=(const TNode&) = delete;
    bool IsOpen() const { return fd_ >= 0; }
    template <class T> bool Ask(unsigned long request, T& argument) const {
        int result;
        do
            result = ::ioctl(fd_, request, &argument);
        while (result < 0 && errno == EINTR);
        return result == 0;
    }

private:
    int fd_;
};

std::string Text(const __u8* bytes, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(bytes);
    return std::string(text, strnlen(text, size));
}

// The pixel formats whose V4L2 code FFmpeg's device input turns into its own name.
const char* FfmpegNameOf(__u32 pixelFormat) {
    switch (pixelFormat) {
    case V4L2_PIX_FMT_YUYV:
        return "yuyv422";
    case V4L2_PIX_FMT_UYVY:
        return "uyvy422";
    case V4L2_PIX_FMT_YUV420:
        return "yuv420p";
    case V4L2_PIX_FMT_YUV422P:
        return "yuv422p";
    case V4L2_PIX_FMT_NV12:
        return "nv12";
    case V4L2_PIX_FMT_RGB24:
        return "rgb24";
    case V4L2_PIX_FMT_BGR24:
        return "bgr24";
    case V4L2_PIX_FMT_GREY:
        return "gray";
    case V4L2_PIX_FMT_MJPEG:
    case V4L2_PIX_FMT_JPEG:
        return "mjpeg";
    case V4L2_PIX_FMT_H264:
        return "h264";
    default:
        return nullptr;
    }
}

// Sizes offered as steps or a range are given as the usual sizes that fit.
std::vector<TFrameSize> SizesWithin(const v4l2_frmsize_stepwise& range) {
    static constexpr TFrameSize kUsual[] = {{160, 120}, {320, 240},  {640, 480},
                                            {800, 600}, {1280, 720}, {1920, 1080}};
    std::vector<TFrameSize> sizes;
    auto fits = [](__u32 value, __u32 low, __u32 high, __u32 step) {
        return value >= low && value <= high && (step <= 1 || (value - low) % step == 0);
    };
    for (const TFrameSize& size : kUsual)
        if (fits(size.Width, range.min_width, range.max_width, range.step_width) &&
            fits(size.Height, range.min_height, range.max_height, range.step_height))
            sizes.push_back(size);
    return sizes;
}

std::vector<TFrameSize> FrameSizes(const TNode& node, __u32 pixelFormat) {
    std::vector<TFrameSize> sizes;
    v4l2_frmsizeenum size{};
    size.pixel_format = pixelFormat;
    for (size.index = 0; node.Ask(VIDIOC_ENUM_FRAMESIZES, size); ++size.index) {
        if (size.type != V4L2_FRMSIZE_TYPE_DISCRETE) return SizesWithin(size.stepwise);
        sizes.push_back(
            {static_cast<int>(size.discrete.width), static_cast<int>(size.discrete.height)});
    }
    return sizes;
}

std::optional<TDeviceControl::TKind> KindOf(__u32 type) {
    switch (type) {
    case V4L2_CTRL_TYPE_INTEGER:
        return TDeviceControl::TKind::Integer;
    case V4L2_CTRL_TYPE_BOOLEAN:
        return TDeviceControl::TKind::Boolean;
    case V4L2_CTRL_TYPE_MENU:
    case V4L2_CTRL_TYPE_INTEGER_MENU:
        return TDeviceControl::TKind::Menu;
    case V4L2_CTRL_TYPE_BUTTON:
        return TDeviceControl::TKind::Button;
    default:
        return std::nullopt;
    }
}

void AddMenuItems(const TNode& node, const v4l2_queryctrl& query, TDeviceControl& control) {
    for (int index = query.minimum; index <= query.maximum; ++index) {
        v4l2_querymenu item{};
        item.id = query.id;
        item.index = static_cast<__u32>(index);
        if (!node.Ask(VIDIOC_QUERYMENU, item)) continue;
        const std::string name = query.type == V4L2_CTRL_TYPE_INTEGER_MENU
                                     ? std::to_string(item.value)
                                     : Text(item.name, sizeof item.name);
        control.MenuItems.emplace_back(index, name);
    }
}

} // namespace

std::optional<std::string> V4l2CaptureCardName(const std::string& node) {
    TNode device(node);
    v4l2_capability capability{};
    if (!device.IsOpen() || !device.Ask(VIDIOC_QUERYCAP, capability)) return std::nullopt;
    const __u32 caps = (capability.capabilities & V4L2_CAP_DEVICE_CAPS) ? capability.device_caps
                                                                        : capability.capabilities;
    if (!(caps & V4L2_CAP_VIDEO_CAPTURE)) return std::nullopt;
    return Text(capability.card, sizeof capability.card);
}

std::vector<TDeviceControl> V4l2Controls(const std::string& node) {
    std::vector<TDeviceControl> controls;
    TNode device(node);
    if (!device.IsOpen()) return controls;
    v4l2_queryctrl query{};
    query.id = V4L2_CTRL_FLAG_NEXT_CTRL;
    while (device.Ask(VIDIOC_QUERYCTRL, query)) {
        const auto kind = KindOf(query.type);
        const bool adjustable =
            !(query.flags & (V4L2_CTRL_FLAG_DISABLED | V4L2_CTRL_FLAG_READ_ONLY));
        if (kind && adjustable) {
            TDeviceControl control;
            control.Id = query.id;
            control.Name = Text(query.name, sizeof query.name);
            control.Kind = *kind;
            control.Minimum = query.minimum;
            control.Maximum = query.maximum;
            control.Step = std::max(1, query.step);
            control.Default = query.default_value;
            v4l2_control current{};
            current.id = query.id;
            control.Value =
                device.Ask(VIDIOC_G_CTRL, current) ? current.value : query.default_value;
            if (*kind == TDeviceControl::TKind::Menu) AddMenuItems(device, query, control);
            controls.push_back(std::move(control));
        }
        query.id |= V4L2_CTRL_FLAG_NEXT_CTRL;
    }
    return controls;
}

std::vector<TDeviceFormat> V4l2Formats(const std::string& node) {
    std::vector<TDeviceFormat> formats;
    TNode device(node);
    if (!device.IsOpen()) return formats;
    v4l2_fmtdesc format{};
    format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    for (format.index = 0; device.Ask(VIDIOC_ENUM_FMT, format); ++format.index) {
        const char* name = FfmpegNameOf(format.pixelformat);
        if (!name) continue;
        std::vector<TFrameSize> sizes = FrameSizes(device, format.pixelformat);
        if (!sizes.empty())
            formats.push_back(
                {name, Text(format.description, sizeof format.description), std::move(sizes)});
    }
    return formats;
}

void SetV4l2Control(const std::string& node, unsigned id, int value) {
    TNode device(node);
    v4l2_control control{};
    control.id = id;
    control.value = value;
    if (!device.IsOpen() || !device.Ask(VIDIOC_S_CTRL, control))
        throw EZorvicError(node + ": " + std::strerror(errno));
}

} // namespace zorvic
