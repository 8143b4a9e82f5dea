#pragma once
#include "CaptureEditor.h"

namespace zorvic {

class TSaveForm;

// The program's editor window as the destination of captures.
class TSaveFormEditor final : public ICaptureEditor {
public:
    explicit TSaveFormEditor(TSaveForm& form) : form_(form) {}
    void LoadFullScreen(const TBitmap& screenCapture) override;
    void LoadSelection(const TBitmap& frozenScreen, TPoint selStart, TPoint selEnd) override;
    void LoadPicture(const TBitmap& picture) override;
    void Show() override;
    void ShowModal() override;

private:
    TSaveForm& form_;
};

} // namespace zorvic
