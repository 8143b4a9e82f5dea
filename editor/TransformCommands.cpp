// The editor's geometric transforms: each replaces the picture, most record a history step.
#include "EditorView.h"
#include "Errors.h"
#include "TSaveForm.h"
#include "ToolsPanel.h"
#include "Transforms.h"

#include <QApplication>
#include <QLineEdit>

#include <functional>

namespace zorvic {

namespace {

// Runs a transform on a copy of the picture and installs the result.
void ReplacePicture(TPictureView& pic, const std::function<void(TBitmap&)>& transform) {
    TBitmap working = pic.Picture();
    transform(working);
    pic.SetPicture(working);
}

// The busy cursor for as long as a long command runs, however it ends.
class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

} // namespace

void TSaveForm::RecordedTransform(void (*transform)(TBitmap&)) {
    ReplacePicture(*Pic, transform);
    PushUndoStep();
}

void TSaveForm::Degrees90ToolButtonClick() {
    RotateBitmap90(Pic->Picture());
    Pic->PictureChanged();
    CenterImage();
    // In stretched display the control keeps the zoom factor for the turned picture.
    Pic->SetControlSize(Pic->height(), Pic->width());
    CenterImage();
    PushUndoStep();
}

void TSaveForm::Degrees180MenuClick() {
    RecordedTransform(RotateBitmap180);
}

void TSaveForm::Degrees270MenuClick() {
    RecordedTransform(RotateBitmap270);
}

void TSaveForm::ArbitraryDegreesMenuClick() {
    ToolsPanel->FreeTransformBtnClick();
}

void TSaveForm::ArbitraryDegreesBtnClick() {
    const TBitmap source = Pic->Picture();
    TBitmap turned;
    {
        TBusyCursor busy;
        const int degrees =
            StrToInt(ToolsPanel->ArbitraryDegreesText->lineEdit()->text().toStdString());
        // The window keeps painting and taking commands while the rotation runs; its result
        // replaces whatever they did in the meantime.
        RotateBitmap(source, turned, degrees, [] { QApplication::processEvents(); });
    }
    InstallCentredOnWindow(turned);
}

void TSaveForm::LevelFilpToolButtonClick() {
    RecordedTransform(FlipHorizontal);
}

void TSaveForm::VerticalFilpToolButtonClick() {
    RecordedTransform(FlipVertical);
}

void TSaveForm::LevelMirrorMenuClick() {
    RecordedTransform(MirrorHorizontal);
}

void TSaveForm::VerticalMirrorMenuClick() {
    ReplacePicture(*Pic, MirrorVertical);
    const TBitmap& mirrored = Pic->Picture();
    Pic->move(width() > mirrored.Width() ? width() / 2 - mirrored.Width() / 2 : 20,
              height() > mirrored.Height() ? height() / 2 - mirrored.Height() / 2 : 20);
    PushUndoStep();
}

void TSaveForm::SymmetricalMirrorMenuClick() {
    RecordedTransform(MirrorSymmetrical);
}

void TSaveForm::TranslationOKBtnClick() {
    // The translation boxes are unbounded spin boxes, which read anything but a whole number
    // as 0.
    const int dx = StrToIntDef(ToolsPanel->TransverseEdit->lineEdit()->text().toStdString(), 0);
    const int dy =
        StrToIntDef(ToolsPanel->LongitudinalAxisEdit->lineEdit()->text().toStdString(), 0);
    ReplacePicture(*Pic, [dx, dy](TBitmap& bmp) { Translate(bmp, dx, dy); });
}

} // namespace zorvic
