// The blur button: the whole picture at once.
#include "EditorView.h"
#include "Filters.h"
#include "TSaveForm.h"

namespace zorvic {

// Each pixel becomes the truncated mean of its eight neighbours, the picture wrapping around
// at its edges. Like every drawing tool it records no history step.
void TSaveForm::FuzzyBtnClick() {
    TBitmap blurred;
    CopyAs24Bit(blurred, Pic->Picture());
    Convolve3x3(kBlurKernel, kBlurDivisor, blurred);
    Pic->SetPicture(blurred);
}

} // namespace zorvic
