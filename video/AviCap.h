#pragma once
// The capture window's interface: the requests it takes (with the message numbers of the
// platform's capture window), the records they carry, its status reports, and the calls that
// create it and talk to it.

#include <cstdint>

class QWidget;

namespace zorvic {

class TCaptureWindow;

// Requests. wParam and lParam as each one describes; nonzero results mean success.
constexpr unsigned WM_CAP_SET_CALLBACK_STATUSA = 1027; // lParam: TCapStatusCallback or 0
constexpr unsigned WM_CAP_DRIVER_CONNECT = 1034;       // wParam: driver index
constexpr unsigned WM_CAP_DRIVER_DISCONNECT = 1035;
constexpr unsigned WM_CAP_DRIVER_GET_CAPS = 1038;        // wParam: size, lParam: TCapDriverCaps*
constexpr unsigned WM_CAP_FILE_SET_CAPTURE_FILEA = 1044; // lParam: zero-terminated file name
constexpr unsigned WM_CAP_FILE_SAVEDIBA = 1049;          // lParam: zero-terminated file name
constexpr unsigned WM_CAP_DLG_VIDEOFORMAT = 1065;
constexpr unsigned WM_CAP_DLG_VIDEOSOURCE = 1066;
constexpr unsigned WM_CAP_DLG_VIDEODISPLAY = 1067;
constexpr unsigned WM_CAP_SET_PREVIEW = 1074;        // wParam: on
constexpr unsigned WM_CAP_SET_OVERLAY = 1075;        // wParam: on; there is no overlay hardware
constexpr unsigned WM_CAP_SET_PREVIEWRATE = 1076;    // wParam: milliseconds between pictures
constexpr unsigned WM_CAP_SET_SCALE = 1077;          // wParam: stretch the picture to the window
constexpr unsigned WM_CAP_GRAB_FRAME = 1084;         // stops the preview
constexpr unsigned WM_CAP_SEQUENCE = 1086;           // starts recording to the capture file
constexpr unsigned WM_CAP_SET_SEQUENCE_SETUP = 1088; // wParam: size, lParam: TCaptureParms*
constexpr unsigned WM_CAP_GET_SEQUENCE_SETUP = 1089; // wParam: size, lParam: TCaptureParms*
constexpr unsigned WM_CAP_ABORT = 1093;              // ends a recording, keeping what it holds

constexpr unsigned WS_CHILD = 0x40000000;
constexpr unsigned WS_VISIBLE = 0x10000000;
constexpr unsigned VK_ESCAPE = 27;

// The sequence-capture parameters, field for field as the platform's record. This window
// records video only, always in the background, at dwRequestMicroSecPerFrame; vKeyAbort
// VK_ESCAPE makes Esc end a recording (0: no key does). The other fields are kept as set.
struct TCaptureParms {
    std::uint32_t dwRequestMicroSecPerFrame = 66667;
    std::int32_t fMakeUserHitOKToCapture = 0;
    std::uint32_t wPercentDropForError = 10;
    std::int32_t fYield = 0;
    std::uint32_t dwIndexSize = 0;
    std::uint32_t wChunkGranularity = 0;
    std::int32_t fUsingDOSMemory = 0;
    std::uint32_t wNumVideoRequested = 0;
    std::int32_t fCaptureAudio = 0;
    std::uint32_t wNumAudioRequested = 0;
    std::uint32_t vKeyAbort = VK_ESCAPE;
    std::int32_t fAbortLeftMouse = 0;
    std::int32_t fAbortRightMouse = 0;
    std::int32_t fLimitEnabled = 0;
    std::uint32_t wTimeLimit = 0;
    std::int32_t fMCIControl = 0;
    std::int32_t fStepMCIDevice = 0;
    std::uint32_t dwMCIStartTime = 0;
    std::uint32_t dwMCIStopTime = 0;
    std::int32_t fStepCaptureAt2x = 0;
    std::uint32_t wStepCaptureAverageFrames = 0;
    std::uint32_t dwAudioBufferSize = 0;
    std::int32_t fDisableWriteCache = 0;
    std::uint32_t AVStreamMaster = 0;
};
static_assert(sizeof(TCaptureParms) == 96);

// The driver's capabilities (44 bytes as the platform's record). A dialog flag is set where the
// device has something to show: the source dialog when it has controls, the format dialog when
// it offers more than one format or size, the display dialog whenever a device is connected.
struct TCapDriverCaps {
    std::uint32_t wDeviceIndex = 0;
    std::int32_t fHasOverlay = 0;
    std::int32_t fHasDlgVideoSource = 0;
    std::int32_t fHasDlgVideoFormat = 0;
    std::int32_t fHasDlgVideoDisplay = 0;
    std::int32_t fCaptureInitialized = 0;
    std::int32_t fDriverSuppliesPalettes = 0;
    std::uint32_t hVideoIn = 0;
    std::uint32_t hVideoOut = 0;
    std::uint32_t hVideoExtIn = 0;
    std::uint32_t hVideoExtOut = 0;
};
static_assert(sizeof(TCapDriverCaps) == 44);

// Status reports: an id and a text (UTF-8), always delivered on the user-interface thread.
//   300 IDS_CAP_BEGIN              "开始录像：<file>"
//   301 IDS_CAP_END                "录像结束：共 N 帧，丢弃 D 帧，用时 S 秒"
//   500 IDS_CAP_STAT_LIVE_MODE     "实时预览：<driver> <width>x<height>"
//   510 IDS_CAP_STAT_VIDEOCURRENT  "正在录像：第 N 帧，丢弃 D 帧，用时 S 秒", once for every
//       frame written, before the next is written; the count N starts at the 8th character.
//   900 IDS_CAP_DEVICE_LOST        "视频设备已断开：<reason>"; during a recording
//       "视频设备已断开，录像已结束：共 N 帧，已保存到 <file>"
//   901 IDS_CAP_RECORDING_FAILED   "录像写入失败，已停止：<reason>"
// N counts the frames written, D the frames that came late (a copy of the one before stands in
// for each) or could not be kept, S the seconds recorded with three decimals.
constexpr int IDS_CAP_BEGIN = 300;
constexpr int IDS_CAP_END = 301;
constexpr int IDS_CAP_STAT_LIVE_MODE = 500;
constexpr int IDS_CAP_STAT_VIDEOCURRENT = 510;
constexpr int IDS_CAP_DEVICE_LOST = 900;
constexpr int IDS_CAP_RECORDING_FAILED = 901;

using TCapStatusCallback = bool (*)(TCaptureWindow* window, int id, const char* text);

// A new capture window, a child of `parent`; none when there is no parent.
TCaptureWindow* capCreateCaptureWindowA(const char* windowName, unsigned style, int x, int y,
                                        int width, int height, QWidget* parent, int id);
// The description of the driver at `index` (at most `nameSize` - 1 bytes and a terminating 0);
// false when no driver is installed there. The version is left empty.
bool capGetDriverDescriptionA(unsigned index, char* name, int nameSize, char* version,
                              int versionSize);
// Delivers a request to the capture window and gives its result.
std::intptr_t SendMessageA(TCaptureWindow* window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam);
void DestroyWindow(TCaptureWindow* window);

} // namespace zorvic
