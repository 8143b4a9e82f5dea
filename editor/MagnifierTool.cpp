#include "MagnifierTool.h"

#include "ColorSwatch.h"
#include "EditorView.h"
#include "TSaveForm.h"
#include "ToolsPanel.h"

#include <QCheckBox>

namespace zorvic {

TMagnifierSettings TMagnifierTool::PageSettings() {
    TToolsPanel& page = *form_.ToolsPanel;
    const int magnification = page.MagnificationEdit->value();
    // Too small a radius for the magnification is raised, and the page shows the raised one.
    if (MagnifierWindow(magnification, page.RadiusEdit->value()).Raised)
        page.RadiusEdit->setValue(2 * magnification);
    return TMagnifierSettings{magnification, page.RadiusEdit->value(), page.MagnifierShape() == 1,
                              page.UseBorder->isChecked(), page.ForeGroundColor->Color()};
}

void TMagnifierTool::Magnify(TPoint at) {
    const TRect changed =
        magnifier_.Magnify(form_.Pic->Picture(), form_.ActivationSnapshot, PageSettings(), at);
    form_.Pic->PictureChanged(changed);
}

void TMagnifierTool::MouseDown(const TPointerAt& at) {
    form_.ActivationSnapshot = form_.Pic->Picture();
    magnifier_.Forget();
    Magnifying = true;
    pointer_.Show(form_.ToolsPanel->UseCursor->isChecked() ? Qt::CrossCursor : Qt::BlankCursor);
    Magnify(at.Picture);
}

void TMagnifierTool::MouseMove(const TPointerAt& at) {
    Magnify(at.Picture);
}

void TMagnifierTool::MouseUp(const TPointerAt&) {
    Magnifying = false;
    pointer_.Release();
    form_.Pic->SetPicture(form_.ActivationSnapshot);
    magnifier_.Forget();
}

} // namespace zorvic
