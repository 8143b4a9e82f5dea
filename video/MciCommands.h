#pragma once
// The media-control command strings that drive the video player, interpreted exactly as the
// player page sends them:
//   open FILE alias A style child parent P wait  (P: the parent's native window id)
//   put A window at X Y W H wait
//   set A seek exactly on|off wait
//   seek A to N wait
//   status A position wait                        (reply: the frame, in decimal)
//   play A from N notify
//   stop A wait
//   close A wait
// Keywords and aliases ignore case. Every command may end in "wait" or "notify" ("play" only in
// "notify": it runs in the background); a "notify" is answered by an MM_MCINOTIFY event posted to
// the notification window when the command, or for "play" the playing, ends.

#include <QEvent>

class QWidget;

namespace zorvic {

constexpr unsigned MM_MCINOTIFY = 0x3B9;
constexpr unsigned MCI_NOTIFY_SUCCESSFUL = 1;
constexpr unsigned MCI_NOTIFY_SUPERSEDED = 2;
constexpr unsigned MCI_NOTIFY_ABORTED = 4;

// Results: 0 for success, and these for failures.
constexpr unsigned MCIERR_UNRECOGNIZED_KEYWORD = 259;
constexpr unsigned MCIERR_UNRECOGNIZED_COMMAND = 261;
constexpr unsigned MCIERR_INVALID_DEVICE_NAME = 263; // no device opened under that alias
constexpr unsigned MCIERR_PARAM_OVERFLOW = 268;      // the reply does not fit its buffer
constexpr unsigned MCIERR_BAD_INTEGER = 270;
constexpr unsigned MCIERR_MISSING_PARAMETER = 273;
constexpr unsigned MCIERR_UNSUPPORTED_FUNCTION = 274;
constexpr unsigned MCIERR_OUTOFRANGE = 282;
constexpr unsigned MCIERR_DUPLICATE_ALIAS = 289;
constexpr unsigned MCIERR_INVALID_FILE = 296;
constexpr unsigned MCIERR_NO_WINDOW = 346; // the parent window does not exist

// The notification of a command sent with "notify".
class TMciNotifyEvent : public QEvent {
public:
    explicit TMciNotifyEvent(unsigned flag) : QEvent(Kind()), Flag(flag) {}
    static QEvent::Type Kind();
    const unsigned Flag; // MCI_NOTIFY_...
};

// Runs one command string. `reply` (`replySize` bytes) receives the command's answer, empty for
// most; `notifyWindow` the notification of a "notify". Returns 0 or an MCIERR_ code.
unsigned mciSendStringA(const char* command, char* reply, unsigned replySize,
                        QWidget* notifyWindow);

} // namespace zorvic
