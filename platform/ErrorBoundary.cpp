#include "ErrorBoundary.h"

#include "MessageBoxes.h"
#include "QtTextRasterizer.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace zorvic {

TZorvicApplication::TZorvicApplication(int& argc, char** argv)
    : QApplication(argc, argv), qtText_(RasterizeTextWithQt),
      // A damaged or unreadable settings file is the user's to mend: they hear of it in a box.
      settingsProblems_(ShowMessage) {
    // No display name: Qt would append it to every title bar, and the windows' titles are
    // exactly their own ("ZorvicV1.5", "图像编辑").
    setApplicationName(QStringLiteral("Zorvic"));
    // Qt's own words (the buttons of message boxes, the file and colour dialogs) in Chinese,
    // like the rest of the program.
    auto* translator = new QTranslator(this);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
    // The program stays resident with every window hidden; only quitting ends it.
    setQuitOnLastWindowClosed(false);
}

bool TZorvicApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportError(error);
        return true;
    }
}

void ReportError(const std::exception& error) {
    ShowMessage(error.what());
}

} // namespace zorvic
