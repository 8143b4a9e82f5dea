#include "SaveExport.h"

#include "ConfigPaths.h"
#include "FormatConversion.h"
#include "MessageBoxes.h"
#include "RegEdit.h"
#include "SaveNames.h"
#include "Wallpaper.h"

#include <QFileDialog>
#include <QStringList>

namespace zorvic {

namespace {

constexpr const char* kSaveDialogFilter = "Bitmaps (*.bmp)|*.bmp|JPEG Image File (*.jpg)|*.jpg|"
                                          "GIF Image (*.gif)|*.gif|Tiff (*.tif)|*.tif|"
                                          "PNG (*.png)|*.png";
constexpr const char* kDesktopKey = "Control Panel\\Desktop";

std::optional<std::string> RunSaveFileDialog(QWidget* parent, const TSaveFileRequest& request) {
    // No default suffix and no overwrite prompt: the format's extension is appended afterwards
    // in any case, so the name typed here is never the final one.
    const QString chosen =
        QFileDialog::getSaveFileName(parent, request.Title, request.InitialName, request.Filter,
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

void WritePicture(const TBitmap& picture, const std::string& path, const TSaveSettings& settings) {
    SavePicture(picture, path, settings.FormatIndex, settings.JpegQuality);
}

} // namespace

QString QtFileFilter(const std::string& pipeSeparated) {
    const QStringList parts = QString::fromStdString(pipeSeparated).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(u';', u' ');
        // Qt reads the patterns from the parentheses of the description.
        filters << (description.contains(u'(')
                        ? description
                        : description + QStringLiteral(" (") + pattern + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

std::string SavePictureAutomatically(const TBitmap& picture, const TSaveSettings& settings) {
    const std::string path = NextAutomaticSavePath(settings);
    WritePicture(picture, path, settings);
    ShowMessage("已经保存到指定目录下！");
    return path;
}

TSaveAs::TSaveAs() : TSaveAs(RunSaveFileDialog) {}

TSaveAs::TSaveAs(TSaveFileChooser chooser) : chooser_(std::move(chooser)) {}

std::optional<std::string> TSaveAs::Save(const TBitmap& picture, const TSaveSettings& settings,
                                         QWidget* parent) {
    // The first time, "jietu" in the folder the captures are saved to, rather than wherever the
    // program was started.
    const QString initialName =
        lastName_.isEmpty()
            ? QString::fromStdString(PathInFolder(AutomaticSaveFolder(settings), "jietu"))
            : lastName_;
    const TSaveFileRequest request{QStringLiteral("图像另存为"), initialName,
                                   QtFileFilter(kSaveDialogFilter)};
    const std::optional<std::string> chosen = chooser_(parent, request);
    if (!chosen) return std::nullopt;
    lastName_ = QString::fromStdString(*chosen);
    const std::string path = *chosen + ExtensionOfFormat(settings.FormatIndex);
    WritePicture(picture, path, settings);
    return path;
}

void CopyPictureToClipboard(const TBitmap& picture, PlatformServices& platform) {
    platform.ClipboardService->SetImage(picture);
    ShowMessage("已成功复制到剪贴板！");
}

std::string SetPictureAsWallpaper(const TBitmap& picture, const TSaveSettings& settings,
                                  PlatformServices& platform) {
    const std::string folder = WallpaperDirectory();
    // A folder that cannot be made shows up as the file's own creation error just below, before
    // any desktop value is touched.
    MakeDirectories(folder);
    const std::string path = PathInFolder(folder, FileNameSafe(settings.NameTemplate) + ".bmp");
    SavePicture(picture, path, kFormatBmp, settings.JpegQuality);

    const TRegRoot user = TRegRoot::HKEY_CURRENT_USER;
    WriteRegValue(user, kDesktopKey, "Wallpaper", kRegString, path, false);
    WriteRegValue(user, kDesktopKey, "TileWallpaper", kRegString, "0", false);
    WriteRegValue(user, kDesktopKey, "WallpaperStyle", kRegString, "2", false);
    platform.WallpaperService->SetDesktopWallpaper(path);
    return path;
}

} // namespace zorvic
