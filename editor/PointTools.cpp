#include "PointTools.h"

#include "ColorSwatch.h"
#include "EditorView.h"
#include "Errors.h"
#include "Spray.h"
#include "TSaveForm.h"
#include "ToolsPanel.h"

#include <QLineEdit>

namespace zorvic {

void TStrawTool::MouseDown(const TPointerAt& at) {
    const TColor color = form_.Pic->Picture().GetPixel(at.Picture.x, at.Picture.y);
    if (color != TBitmap::kInvalidColor) form_.ToolsPanel->ForeGroundColor->SetColor(color);
}

void TTextTool::MouseDown(const TPointerAt& at) {
    TCanvas& canvas = form_.Pic->Picture().Canvas();
    const std::string text = form_.ToolsPanel->TextEdit->text().toStdString();
    const TPoint extent = canvas.TextExtent(text);
    canvas.TextOut(at.Picture.x, at.Picture.y, text);
    form_.Pic->PictureChanged(
        TRect{at.Picture.x, at.Picture.y, at.Picture.x + extent.x, at.Picture.y + extent.y});
}

void TSprayTool::MouseMove(const TPointerAt& at) {
    // The box's text as it stands: a text that is no whole number is reported on every move.
    const int radius = StrToInt(form_.ToolsPanel->Radius->text().toStdString());
    SprayAt(form_.Pic->Picture(), at.Picture, radius, form_.ToolsPanel->ForeGroundColor->Color());
    const int reach = SprayReach(radius);
    form_.Pic->PictureChanged(TRect{at.Picture.x - reach, at.Picture.y - reach,
                                    at.Picture.x + reach + 1, at.Picture.y + reach + 1});
}

} // namespace zorvic
