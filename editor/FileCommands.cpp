// The File menu's folder and exit items, and the export commands.
#include "EditorHost.h"
#include "EditorView.h"
#include "SaveExport.h"
#include "ShellOpen.h"
#include "TSaveForm.h"

namespace zorvic {

namespace {

TSaveSettings SettingsOf(const IEditorHost* host) {
    return host ? host->SaveSettings() : TSaveSettings{};
}

} // namespace

void TSaveForm::CancelToolButtonClick() {
    close();
}

void TSaveForm::OpenMenuClick() {
    OpenFileWithDesktop(SettingsOf(host_).SaveDirectory);
}

void TSaveForm::SaveToolButtonClick() {
    SavePictureAutomatically(Picture(), SettingsOf(host_));
}

void TSaveForm::SaveASToolButtonClick() {
    SaveAs.Save(Picture(), SettingsOf(host_), this);
}

void TSaveForm::CopyToClipMenuClick() {
    CopyPictureToClipboard(Picture(), platform_);
}

void TSaveForm::SetWallPaperMenuClick() {
    SetPictureAsWallpaper(Picture(), SettingsOf(host_), platform_);
}

} // namespace zorvic
