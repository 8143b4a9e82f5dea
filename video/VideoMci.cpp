#include "VideoMci.h"

#include "AviDecoder.h"
#include "Errors.h"
#include "FileNameCase.h"
#include "MciCommands.h"

#include <QPointer>
#include <QWidget>

namespace zorvic {
namespace {

struct TPlayerState {
    QPointer<QWidget> Parent;
    std::string FileName = "Video.avi";
    bool Opened = false;
    QPointer<QWidget> NotifyWindow;
    std::function<void()> OnPlayEnd;
};

TPlayerState& State() {
    static TPlayerState state;
    return state;
}

constexpr unsigned kReplySize = 255;

} // namespace

void MciSetParent(QWidget* panel) {
    State().Parent = panel;
}

void MciSetFileName(const std::string& name) {
    State().FileName = name;
}

void MciSetNotifyWindow(QWidget* window) {
    State().NotifyWindow = window;
}

void MciSetOnPlayEnd(std::function<void()> handler) {
    State().OnPlayEnd = std::move(handler);
}

std::string MciQuery(const std::string& command) {
    char reply[kReplySize];
    if (mciSendStringA(command.c_str(), reply, kReplySize, State().NotifyWindow) != 0) {
        State().Opened = false;
        return {};
    }
    return reply;
}

void MciSend(const std::string& command) {
    MciQuery(command);
}

void MciOpen() {
    TPlayerState& state = State();
    state.Opened = true;
    const long long parent = state.Parent ? static_cast<long long>(state.Parent->winId()) : 0;
    MciSend("open " + state.FileName + " alias VexloVideo style child parent " +
            std::to_string(parent) + " wait");
    if (state.Opened) {
        const QWidget& area = *state.Parent;
        MciSend("put VexloVideo window at " + std::to_string(area.x() - 5) + " " +
                std::to_string(area.y() - 5) + " " + std::to_string(area.width()) + " " +
                std::to_string(area.height()) + " wait");
    }
    if (state.Opened) MciSend("set VexloVideo seek exactly off wait");
}

void MciClose() {
    if (State().Opened) MciSend("close VexloVideo wait");
}

void MciStop() {
    if (State().Opened) MciSend("stop VexloVideo wait");
}

void MciSeek(int frame) {
    if (State().Opened) MciSend("seek VexloVideo to " + std::to_string(frame) + " wait");
}

void MciPlayFrom(int frame) {
    if (State().Opened) MciSend("play VexloVideo from " + std::to_string(frame) + " notify");
}

int MciPosition() {
    const std::string reply = MciQuery("status VexloVideo position wait");
    return reply.empty() ? 0 : StrToIntDef(reply, 0);
}

void MciPlayNotified(unsigned flag) {
    // A play replaced by another has not ended; the newer one will tell.
    if (flag != MCI_NOTIFY_SUPERSEDED && State().OnPlayEnd) State().OnPlayEnd();
}

int AviFrameCount() {
    try {
        return TAviDecoder(FileIgnoringCase(State().FileName)).FrameCount();
    } catch (const EZorvicError&) {
        return -1;
    }
}

bool AviGrabFrame(TBitmap& bitmap) {
    const int position = MciPosition();
    try {
        TAviDecoder file(FileIgnoringCase(State().FileName));
        const TSharedFrame frame = file.DecodeAt(position, true);
        if (!frame) return false;
        bitmap = FrameBitmap(*frame);
        return true;
    } catch (const EZorvicError&) {
        return false;
    }
}

bool MciOpened() {
    return State().Opened;
}

const std::string& MciFileName() {
    return State().FileName;
}

} // namespace zorvic
