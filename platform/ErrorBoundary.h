#pragma once
#include "RegistryStore.h"
#include "TCanvas.h"

#include <QApplication>

#include <exception>

namespace zorvic {

// The program's application object and its one error boundary: an exception thrown by an event
// handler abandons that command, its text is shown in a message box, and the program goes on.
// While it lives, canvas text is drawn with Qt's fonts, and problems with the settings files are
// told in a message box.
class TZorvicApplication : public QApplication {
public:
    TZorvicApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    TTextRasterizerOverride qtText_;
    TSettingsProblemReporterOverride settingsProblems_;
};

// Shows an abandoned command's error text the way the boundary does.
void ReportError(const std::exception& error);

// Qt's signal dispatch is not exception-safe, so a handler reached through a signal reports its
// error here, at its own edge, instead of unwinding through Qt.
template <class Handler> auto Guarded(Handler handler) {
    return [handler]() {
        try {
            handler();
        } catch (const std::exception& error) {
            ReportError(error);
        }
    };
}

} // namespace zorvic
