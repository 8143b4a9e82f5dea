// What the capture and the editor read from the main window's controls, live, and what they
// ask of it when they finish.
#include "ZorvicMain.h"

#include "Errors.h"
#include "ProductSettings.h"
#include "RadioGroup.h"
#include "WindowLookup.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSlider>
#include <QTimer>

namespace zorvic {

std::optional<CaptureMode> TZorvicForm::CheckedMode() const {
    const std::pair<QAction*, CaptureMode> modes[] = {
        {Region, CaptureMode::Region},
        {FullScreen, CaptureMode::FullScreen},
        {AxtiveObject, CaptureMode::AxtiveObject},
        {ActiveWindow, CaptureMode::ActiveWindow},
        {FixRegion, CaptureMode::FixRegion},
    };
    for (const auto& [item, mode] : modes)
        if (item->isChecked()) return mode;
    return std::nullopt;
}

bool TZorvicForm::IncludeCursorChecked() const {
    return IncludeCursor->isChecked();
}

std::optional<int> TZorvicForm::CaptureDelaySeconds() const {
    if (!DelayTime->isChecked()) return std::nullopt;
    // The field takes digits only, but it may be empty while the user types.
    return StrToIntDef(DelayTimeCap->text().toStdString(), 0);
}

bool TZorvicForm::HideMainFormChecked() const {
    return HideMainForm->isChecked();
}

void TZorvicForm::StartTimer1() {
    Timer1->start();
}

void TZorvicForm::StopTimer1() {
    Timer1->stop();
}

TSaveSettings TZorvicForm::SaveSettings() const {
    TSaveSettings settings;
    settings.NameByTime = NameASTime->isChecked();
    const std::string nameTemplate = FNameTemp->text().toStdString();
    if (!nameTemplate.empty()) settings.NameTemplate = nameTemplate;
    settings.SaveDirectory = SaveDir->text().toStdString();
    settings.FormatIndex = PicFormatRadioGroup->ItemIndex();
    settings.JpegQuality = JpgCompTrackBar->value();
    return settings;
}

bool TZorvicForm::CaptureSoundWanted() const {
    return OverSound->isChecked();
}

void TZorvicForm::PlayCaptureSound() {
    hooks_.PlayVoice();
}

void TZorvicForm::EditorClosed() {
    // Ctrl+B works again even when the main window cannot be brought back: a settings read that
    // fails is told, but must not leave the hot key dead.
    const auto rearm = qScopeGuard([this] { StartHotKeyWatch(); });
    if (MainFormInTray == 0) ShowWindowTitled(MainWindowTitle());
}

} // namespace zorvic
