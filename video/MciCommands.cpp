#include "MciCommands.h"

#include "Errors.h"
#include "FileNameCase.h"
#include "TVideoPlayer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

namespace zorvic {

QEvent::Type TMciNotifyEvent::Kind() {
    static const auto kind = static_cast<QEvent::Type>(QEvent::registerEventType());
    return kind;
}

namespace {

std::map<QString, QPointer<TVideoPlayer>>& Devices() {
    static std::map<QString, QPointer<TVideoPlayer>> devices;
    return devices;
}

// A command's words; keywords are compared ignoring case.
class TWords {
public:
    explicit TWords(const char* command)
        : words_(QString::fromUtf8(command).split(u' ', Qt::SkipEmptyParts)) {}

    bool AtEnd() const { return next_ >= words_.size(); }
    QString Take() { return AtEnd() ? QString() : words_[next_++]; }
    bool TakeKeyword(const char* keyword) {
        if (AtEnd() || words_[next_].compare(QLatin1String(keyword), Qt::CaseInsensitive) != 0)
            return false;
        ++next_;
        return true;
    }
    std::optional<int> TakeInteger() {
        try {
            return StrToInt(Take().toStdString());
        } catch (const EConvertError&) {
            return std::nullopt;
        }
    }
    // The words up to (not including) `keyword`, joined by single spaces.
    QString TakeUntil(const char* keyword) {
        QStringList taken;
        while (!AtEnd() && words_[next_].compare(QLatin1String(keyword), Qt::CaseInsensitive))
            taken << Take();
        return taken.join(u' ');
    }

private:
    QStringList words_;
    qsizetype next_ = 0;
};

// What a command ends in: nothing, "wait" or "notify".
enum class TTail { None, Wait, Notify };

struct TContext {
    TWords& Words;
    QWidget* NotifyWindow;
    QString& Reply;
    QString Alias = {};
    TTail Tail = TTail::None;
};

// Reads the closing "wait" or "notify"; false when anything else is left.
bool TakeTail(TContext& context) {
    if (context.Words.TakeKeyword("wait"))
        context.Tail = TTail::Wait;
    else if (context.Words.TakeKeyword("notify"))
        context.Tail = TTail::Notify;
    return context.Words.AtEnd();
}

TVideoPlayer* DeviceNamed(const QString& alias) {
    auto& devices = Devices();
    const auto found = devices.find(alias.toLower());
    if (found == devices.end()) return nullptr;
    if (!found->second) {
        devices.erase(found); // its parent window took it along
        return nullptr;
    }
    return found->second;
}

unsigned Open(TContext& context) {
    TWords& words = context.Words;
    const QString file = words.TakeUntil("alias");
    if (file.isEmpty() || !words.TakeKeyword("alias")) return MCIERR_MISSING_PARAMETER;
    const QString alias = words.Take();
    if (alias.isEmpty()) return MCIERR_MISSING_PARAMETER;
    std::optional<int> parentId;
    for (;;) {
        if (words.TakeKeyword("style")) {
            if (!words.TakeKeyword("child")) return MCIERR_UNSUPPORTED_FUNCTION;
        } else if (words.TakeKeyword("parent")) {
            if (!(parentId = words.TakeInteger())) return MCIERR_BAD_INTEGER;
        } else {
            break;
        }
    }
    if (!TakeTail(context)) return MCIERR_UNRECOGNIZED_KEYWORD;
    if (DeviceNamed(alias)) return MCIERR_DUPLICATE_ALIAS;
    QWidget* parent = parentId ? QWidget::find(static_cast<WId>(*parentId)) : nullptr;
    if (!parent) return MCIERR_NO_WINDOW;
    try {
        auto* player = new TVideoPlayer(parent, FileIgnoringCase(file.toStdString()));
        player->show();
        Devices()[alias.toLower()] = player;
    } catch (const EZorvicError&) {
        return MCIERR_INVALID_FILE;
    }
    return 0;
}

unsigned Put(TContext& context, TVideoPlayer& player) {
    TWords& words = context.Words;
    if (!words.TakeKeyword("window") || !words.TakeKeyword("at"))
        return MCIERR_UNRECOGNIZED_KEYWORD;
    int place[4];
    for (int& value : place) {
        const std::optional<int> number = words.TakeInteger();
        if (!number) return MCIERR_BAD_INTEGER;
        value = *number;
    }
    if (!TakeTail(context)) return MCIERR_UNRECOGNIZED_KEYWORD;
    player.setGeometry(place[0], place[1], std::max(0, place[2]), std::max(0, place[3]));
    return 0;
}

unsigned Set(TContext& context, TVideoPlayer& player) {
    TWords& words = context.Words;
    if (!words.TakeKeyword("seek") || !words.TakeKeyword("exactly"))
        return MCIERR_UNRECOGNIZED_KEYWORD;
    const bool on = words.TakeKeyword("on");
    if (!on && !words.TakeKeyword("off")) return MCIERR_MISSING_PARAMETER;
    if (!TakeTail(context)) return MCIERR_UNRECOGNIZED_KEYWORD;
    player.SetSeekExactly(on);
    return 0;
}

// "seek A to N" and "play A from N": the frame after the keyword.
std::optional<int> FrameAfter(TContext& context, const char* keyword, unsigned& error) {
    if (!context.Words.TakeKeyword(keyword)) {
        error = MCIERR_MISSING_PARAMETER;
        return std::nullopt;
    }
    const std::optional<int> frame = context.Words.TakeInteger();
    if (!frame)
        error = MCIERR_BAD_INTEGER;
    else if (!TakeTail(context))
        error = MCIERR_UNRECOGNIZED_KEYWORD;
    return error ? std::nullopt : frame;
}

unsigned Seek(TContext& context, TVideoPlayer& player) {
    unsigned error = 0;
    const std::optional<int> frame = FrameAfter(context, "to", error);
    if (!frame) return error;
    return player.Seek(*frame) ? 0 : MCIERR_OUTOFRANGE;
}

unsigned Play(TContext& context, TVideoPlayer& player) {
    unsigned error = 0;
    const std::optional<int> frame = FrameAfter(context, "from", error);
    if (!frame) return error;
    if (context.Tail == TTail::Wait) return MCIERR_UNSUPPORTED_FUNCTION;
    const bool notify = context.Tail == TTail::Notify;
    context.Tail = TTail::None; // the player notifies when the playing ends
    return player.PlayFrom(*frame, notify ? context.NotifyWindow : nullptr) ? 0 : MCIERR_OUTOFRANGE;
}

unsigned Status(TContext& context, TVideoPlayer& player) {
    if (!context.Words.TakeKeyword("position")) return MCIERR_UNRECOGNIZED_KEYWORD;
    if (!TakeTail(context)) return MCIERR_UNRECOGNIZED_KEYWORD;
    context.Reply = QString::number(player.Position());
    return 0;
}

unsigned Stop(TContext& context, TVideoPlayer& player) {
    if (!TakeTail(context)) return MCIERR_UNRECOGNIZED_KEYWORD;
    player.Stop();
    return 0;
}

unsigned Close(TContext& context, TVideoPlayer& player) {
    if (!TakeTail(context)) return MCIERR_UNRECOGNIZED_KEYWORD;
    Devices().erase(context.Alias.toLower());
    delete &player;
    return 0;
}

unsigned Run(TContext& context) {
    if (context.Words.TakeKeyword("open")) return Open(context);
    using TVerb = unsigned (*)(TContext&, TVideoPlayer&);
    static const std::pair<const char*, TVerb> kVerbs[] = {
        {"put", Put},   {"set", Set},       {"seek", Seek},  {"play", Play},
        {"stop", Stop}, {"status", Status}, {"close", Close}};
    for (const auto& [name, verb] : kVerbs) {
        if (!context.Words.TakeKeyword(name)) continue;
        context.Alias = context.Words.Take();
        TVideoPlayer* player = DeviceNamed(context.Alias);
        return player ? verb(context, *player) : MCIERR_INVALID_DEVICE_NAME;
    }
    return MCIERR_UNRECOGNIZED_COMMAND;
}

} // namespace

unsigned mciSendStringA(const char* command, char* reply, unsigned replySize,
                        QWidget* notifyWindow) {
    if (reply && replySize > 0) reply[0] = '\0';
    TWords words(command ? command : "");
    QString answer;
    TContext context{words, notifyWindow, answer};
    const unsigned error = Run(context);
    if (error) return error;
    if (context.Tail == TTail::Notify && notifyWindow)
        QCoreApplication::postEvent(notifyWindow, new TMciNotifyEvent(MCI_NOTIFY_SUCCESSFUL));
    const QByteArray text = answer.toUtf8();
    if (text.isEmpty()) return 0;
    if (!reply || static_cast<unsigned>(text.size()) >= replySize) return MCIERR_PARAM_OVERFLOW;
    std::memcpy(reply, text.constData(), static_cast<std::size_t>(text.size()) + 1);
    return 0;
}

} // namespace zorvic
