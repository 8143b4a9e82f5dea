// The main window in this process on an X server of the test program's own, driven by keys that
// XTest presses on that server: the key events arrive as X11 delivers them, text included, and
// Ctrl+B reaches the program through the hook library's grab.
#include "AppSandbox.h"

#include "ConventionalPage.h"
#include "TSaveForm.h"
#include "ZorvicMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include <cstdlib>
#include <memory>

// After gtest and Qt: Xlib's macros break their headers.
#include "XTestClient.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace zorvic::testing {
namespace {

using K = TValueKind;

class RealKeysTest : public AppSandbox {
protected:
    void SetUp() override {
        AppSandbox::SetUp();
        hooks = LibraryHookCalls();
        platform = MakeX11Platform();
        keys_ = std::make_unique<XTestClient>();
    }
    void TearDown() override {
        AppSandbox::TearDown();
        // The hook library outlives the windows; the next test finds Ctrl+B free.
        hooks.DisableHotKeyHook();
        EXPECT_TRUE(QTest::qWaitFor([&] { return keys_->CanGrabCtrlB(); }));
        keys_.reset();
    }

    // Shows the main window and gives `field` the keyboard focus on the server.
    void FocusOn(QWidget* field) {
        ZorvicForm->show();
        ZorvicForm->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ZorvicForm));
        field->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
    }
    // Whether the editor appears when Ctrl+B is pressed over the bare desktop, press after press
    // until the program holds the key; a press before that reaches nobody. (A grab of the test's
    // own, to see whether the key is held, could collide with the program's grab.)
    bool CtrlBOpensTheEditor() {
        Display* display = keys_->display();
        XTestFakeMotionEvent(display, -1, 0, 0, CurrentTime);
        XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
        XSync(display, False);
        return QTest::qWaitFor(
            [&] {
                keys_->CtrlB();
                return QTest::qWaitFor([] { return SaveForm->isVisible(); }, 200);
            },
            10000);
    }

    std::unique_ptr<XTestClient> keys_;
};

TEST_F(RealKeysTest, DeleteDeletesAndTabMovesOnInTheDelayField) {
    Start();
    QLineEdit* field = ZorvicForm->DelayTimeCap;
    FocusOn(field);
    field->setText("12");
    field->setCursorPosition(0);

    keys_->Chord({}, XK_Delete);
    EXPECT_TRUE(QTest::qWaitFor([&] { return field->text() == "2"; }))
        << field->text().toStdString();
    keys_->Chord({}, XK_a); // still only digits are typed
    keys_->Chord({}, XK_5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return field->text() == "52"; }))
        << field->text().toStdString();

    keys_->Chord({}, XK_Tab);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !field->hasFocus(); }));
    EXPECT_EQ(field->text(), "52");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(RealKeysTest, ClosingTheEditorRearmsCtrlBEvenWhenTheVersionCannotBeRead) {
    Start();
    ZorvicForm->HideMainForm->setChecked(false);
    ZorvicForm->FullScreen->trigger();
    ASSERT_TRUE(CtrlBOpensTheEditor());

    Store(kProductKey, "Ver", K::Integer, "15");
    SaveForm->close();
    EXPECT_EQ(messages_, std::vector<std::string>{"Invalid data type for 'Ver'"});

    EXPECT_TRUE(CtrlBOpensTheEditor()) << "Ctrl+B stayed off after the editor closed";
}

} // namespace
} // namespace zorvic::testing
