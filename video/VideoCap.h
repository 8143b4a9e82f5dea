#pragma once
// The program's layer over its one capture window: the operations the camera window uses, each
// a fixed sequence of requests to the capture window (AviCap.h).

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QWidget;

namespace zorvic {

class TCaptureWindow;

// Set by the camera window before it connects, records or grabs.
void CapSetParent(QWidget* panel);
void CapSetStatusLabel(QLabel* label);
// Called when a recording reaches FrameLimit; its owner is bound into the function.
void CapSetOnFrameLimit(std::function<void()> handler);
void CapSetFrameLimit(int frames);
void CapSetImageFileName(const std::string& name);

// Releases an existing capture window, creates one filling the parent and connects the first
// driver there is (index 0 to 9). True when a capture window exists afterwards, with a driver
// or, when none could be connected, empty.
bool CapConnect();
void CapRelease();
void CapStartPreview();
void CapRestartPreview();
// Grabs a frame (the preview stops) and saves it as ImageFileName. Without a driver nothing is
// saved and nothing said; a file that cannot be written throws EFileError with the reason.
void CapGrabToFile();
// Starts recording to CaptureFileName in the current directory and returns at once. A file that
// cannot be created throws EFileError with the reason.
void CapStartRecording();
void CapStopRecording();
// True when there is no capture window.
bool CapHasSourceDialog();
bool CapHasFormatDialog();
bool CapHasDisplayDialog();
void CapSourceDialog();
void CapFormatDialog();
void CapDisplayDialog();

// The status callback: every text goes to the status label; a running frame count at or above
// FrameLimit ends the recording and calls OnFrameLimit.
bool CapStatusCallback(TCaptureWindow* window, int id, const char* text);
// The frame count of a status text: the part from its 8th character that leaves out its last,
// read up to its first space. None when that is not a decimal number.
std::optional<int> StatusFrameCount(const std::string& text);

// The layer's state, as the camera window and the tests read it.
TCaptureWindow* CapWindow();
const std::string& DriverName();
int FrameLimit();
const std::string& ImageFileName();

} // namespace zorvic
