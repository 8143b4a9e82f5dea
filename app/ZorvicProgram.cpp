#include "ZorvicProgram.h"

#include "ErrorBoundary.h"
#include "ProductSettings.h"
#include "SingleInstance.h"
#include "TDisPlayForm.h"
#include "TSaveForm.h"
#include "TSelectAreaForm.h"
#include "TVideoForm.h"
#include "Tray.h"
#include "WindowLookup.h"
#include "ZorvicMain.h"

namespace zorvic {

void CreateProgramWindows(const QStringList& arguments, const THookCalls& hooks,
                          const PlatformServices& platform) {
    ZorvicForm = new TZorvicForm(arguments, hooks, platform);
    SelectAreaForm = new TSelectAreaForm;
    SaveForm = new TSaveForm(platform);
    DisPlayForm = new TDisPlayForm;
    VideoForm = new TVideoForm;
    ZorvicForm->ConnectCapture(*SaveForm, *DisPlayForm, *SelectAreaForm);
    QObject::connect(VideoForm, &TVideoForm::Closed, ZorvicForm, &QWidget::show);
    VideoForm->SetHost(ZorvicForm);

    if (ZorvicForm->StartsVisible()) {
        ZorvicForm->show();
        return;
    }
    if (arguments.first() == QLatin1String("s")) {
        ZorvicForm->MainFormInTray = 1;
        // A version that cannot be read is told like any failing command; it must not end the
        // start.
        Guarded([] { HideWindowTitled(MainWindowTitle()); })();
    }
    // Without a tray host a hidden window could not be brought back by a click.
    if (!TTrayIcon::HostAvailable()) ZorvicForm->showMinimized();
}

namespace {
template <class TForm> void Destroy(TForm*& window) {
    delete window;
    window = nullptr;
}
} // namespace

void DestroyProgramWindows() {
    if (ZorvicForm) ZorvicForm->DisconnectCapture();
    Destroy(VideoForm);
    Destroy(DisPlayForm);
    Destroy(SaveForm);
    Destroy(SelectAreaForm);
    Destroy(ZorvicForm);
}

int RunZorvic(int argc, char** argv) {
    TZorvicApplication application(argc, argv);
    TSingleInstance instance;
    if (instance.AskRunningCopyToShow()) return 0;
    instance.Listen();

    CreateProgramWindows(application.arguments().mid(1), LibraryHookCalls(), Platform());
    QObject::connect(&instance, &TSingleInstance::ShowRequested, ZorvicForm, Guarded([] {
        ZorvicForm->OpenMainMenuClick();
        ZorvicForm->raise();
        ZorvicForm->activateWindow();
    }));
    const int code = application.exec();
    DestroyProgramWindows();
    return code;
}

} // namespace zorvic
