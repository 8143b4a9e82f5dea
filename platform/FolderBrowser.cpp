#include "FolderBrowser.h"

#include <QFileDialog>

namespace zorvic {

std::string BrowseForFolder(QWidget* parent) {
    // Read-only keeps the dialog a chooser: no new-folder, rename or delete buttons.
    const QString folder =
        QFileDialog::getExistingDirectory(parent, QStringLiteral("请选择文件夹。"), QString(),
                                          QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
    return folder.toStdString();
}

} // namespace zorvic
