#pragma once
// The player page's operations: media-control command strings to the device "VexloVideo"
// (MciCommands.h), and the clip's length and single frames read from the file itself.

#include "TBitmap.h"

#include <functional>
#include <string>

class QWidget;

namespace zorvic {

void MciSetParent(QWidget* panel);
void MciSetFileName(const std::string& name);
void MciSetNotifyWindow(QWidget* window);
// The end-of-playback handler; its owner is bound into the function.
void MciSetOnPlayEnd(std::function<void()> handler);

// Sends a command; a failure switches the player off (MciOpened false).
void MciSend(const std::string& command);
// As MciSend, giving the reply.
std::string MciQuery(const std::string& command);
void MciOpen();
void MciClose();
void MciStop();
void MciSeek(int frame);
void MciPlayFrom(int frame);
// The device's position in frames; 0 when there is no answer.
int MciPosition();
// The notification window heard that a play request ended: calls the end-of-playback handler.
void MciPlayNotified(unsigned flag);

// The length in frames of MciFileName's first stream when it is a video stream (and the file
// holds all of it); -1 otherwise.
int AviFrameCount();
// The frame at the current position, as a 24-bit bitmap; false when there is none.
bool AviGrabFrame(TBitmap& bitmap);

// The player's state, as the camera window and the tests read it.
bool MciOpened();
const std::string& MciFileName();

} // namespace zorvic
