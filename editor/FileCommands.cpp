// The File menu's folder and exit items, and the export commands.
#include "EditorHost.h"
#include "EditorView.h"
#include "FormatConversion.h"
#include "PlatformServices.h"
#include "ShellOpen.h"
#include "TSaveForm.h"
#include "Wallpaper.h"

#include <QFileDialog>

#include <filesystem>

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
    const TSaveSettings settings = SettingsOf(host_);
    SavePicture(Picture(),
                settings.SaveDirectory + "/" + settings.NameTemplate +
                    ExtensionOfFormat(settings.FormatIndex),
                settings.FormatIndex, settings.JpegQuality);
}

void TSaveForm::SaveASToolButtonClick() {
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("图像另存为"));
    if (chosen.isEmpty()) return;
    const TSaveSettings settings = SettingsOf(host_);
    SavePicture(Picture(), chosen.toStdString() + ExtensionOfFormat(settings.FormatIndex),
                settings.FormatIndex, settings.JpegQuality);
}

void TSaveForm::CopyToClipMenuClick() {
    Platform().ClipboardService->SetImage(Picture());
}

void TSaveForm::SetWallPaperMenuClick() {
    std::filesystem::create_directories(WallpaperDirectory());
    const std::string path = WallpaperDirectory() + "/" + SettingsOf(host_).NameTemplate + ".bmp";
    Picture().SaveToFile(path);
    Platform().WallpaperService->SetDesktopWallpaper(path);
}

} // namespace zorvic
