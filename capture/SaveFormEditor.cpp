#include "SaveFormEditor.h"

#include "TSaveForm.h"

namespace zorvic {

void TSaveFormEditor::LoadFullScreen(const TBitmap& screenCapture) {
    form_.LoadFullScreen(screenCapture);
}

void TSaveFormEditor::LoadSelection(const TBitmap& frozenScreen, TPoint selStart, TPoint selEnd) {
    form_.LoadSelection(frozenScreen, selStart, selEnd);
}

void TSaveFormEditor::LoadPicture(const TBitmap& picture) {
    form_.LoadPicture(picture);
}

void TSaveFormEditor::Show() {
    form_.show();
}

void TSaveFormEditor::ShowModal() {
    form_.ShowModal();
}

} // namespace zorvic
