#include "AppSandbox.h"

#include "CaptureDispatcher.h"
#include "ConfigPaths.h"
#include "FakeDesktop.h"
#include "RadioGroup.h"
#include "RegEdit.h"
#include "TSaveForm.h"
#include "TVideoForm.h"
#include "Tray.h"
#include "ZorvicMain.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace zorvic::testing {
namespace {

using K = TValueKind;

class MainWindowTest : public AppSandbox {
protected:
    void SetUp() override {
        AppSandbox::SetUp();
        Start();
    }
    std::vector<bool> ButtonsDown() const {
        std::vector<bool> down;
        for (QPushButton* b :
             {ZorvicForm->ActiveWindowBtn, ZorvicForm->FullScreenBtn, ZorvicForm->RegionBtn,
              ZorvicForm->FixRegionBtn, ZorvicForm->AxtiveObjectBtn})
            down.push_back(b->isChecked());
        return down;
    }
    std::vector<bool> ItemsChecked() const {
        std::vector<bool> checked;
        for (QAction* a : {ZorvicForm->ActiveWindow, ZorvicForm->FullScreen, ZorvicForm->Region,
                           ZorvicForm->FixRegion, ZorvicForm->AxtiveObject})
            checked.push_back(a->isChecked());
        return checked;
    }
};

TEST_F(MainWindowTest, WindowHasItsFixedClientAreaTitleTabsAndStatusText) {
    EXPECT_EQ(ZorvicForm->windowTitle(), "ZorvicV1.5");
    EXPECT_EQ(ZorvicForm->centralWidget()->height() + ZorvicForm->statusBar()->height(), 288);
    EXPECT_EQ(ZorvicForm->width(), 496);
    EXPECT_EQ(ZorvicForm->minimumSize(), ZorvicForm->maximumSize());
    EXPECT_EQ(ZorvicForm->toolTip(), "请按Ctrl+B组合键开始截图");
    ASSERT_EQ(ZorvicForm->sPageOptions->count(), 3);
    EXPECT_EQ(ZorvicForm->sPageOptions->tabText(0), "常规");
    EXPECT_EQ(ZorvicForm->sPageOptions->tabText(1), "存储");
    EXPECT_EQ(ZorvicForm->sPageOptions->tabText(2), "高级");
    EXPECT_EQ(ZorvicForm->StatusWelcome->text(), "欢迎使用。截图快捷键：Ctrl+B");
    EXPECT_EQ(ZorvicForm->BeginIp->shortcut(), QKeySequence("Ctrl+B"));
    EXPECT_FALSE(ZorvicForm->StartToTray->isVisibleTo(ZorvicForm));
    // The hook library tells of Ctrl+B: the timer runs only for a pick.
    EXPECT_FALSE(ZorvicForm->Timer1->isActive());
    EXPECT_EQ(ZorvicForm->Timer1->interval(), 50);
}

TEST_F(MainWindowTest, ModeButtonsAndMenuItemsMoveTogether) {
    EXPECT_EQ(ButtonsDown(), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(ItemsChecked(), ButtonsDown());

    ZorvicForm->FullScreen->trigger();
    EXPECT_EQ(ButtonsDown(), (std::vector<bool>{false, true, false, false, false}));
    EXPECT_EQ(ItemsChecked(), ButtonsDown());

    ZorvicForm->AxtiveObjectBtn->click();
    EXPECT_EQ(ButtonsDown(), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(ItemsChecked(), ButtonsDown());

    // A checked item clicked again stays checked and alone.
    ZorvicForm->AxtiveObject->trigger();
    EXPECT_EQ(ItemsChecked(), (std::vector<bool>{false, false, false, false, true}));
}

TEST_F(MainWindowTest, OnlyANewModeStartsTheHotKeyWatch) {
    ZorvicForm->Capture()->StopHotKeyWatch();
    ZorvicForm->RegionBtn->click();
    ZorvicForm->Region->trigger();
    EXPECT_FALSE(ZorvicForm->Capture()->HotKeyWatched());
    ZorvicForm->FixRegion->trigger();
    EXPECT_TRUE(ZorvicForm->Capture()->HotKeyWatched());
}

TEST_F(MainWindowTest, ChoosingAModeOutsideThePickModesDropsAnArmedPick) {
    ZorvicForm->FixRegion->trigger();
    ZorvicForm->Capture()->PickArmed = true;
    ZorvicForm->AxtiveObject->trigger();
    EXPECT_TRUE(ZorvicForm->Capture()->PickArmed);
    ZorvicForm->FullScreen->trigger();
    EXPECT_FALSE(ZorvicForm->Capture()->PickArmed);
    EXPECT_FALSE(ZorvicForm->Timer1->isActive());
}

TEST_F(MainWindowTest, CursorMenuItemAndCheckBoxKeepTheirOwnRoles) {
    ZorvicForm->IncludeCursor->trigger();
    EXPECT_FALSE(ZorvicForm->IncludeCursor->isChecked());
    EXPECT_TRUE(ZorvicForm->IncludeMouse->isChecked());
    ZorvicForm->IncludeMouse->click();
    ZorvicForm->IncludeMouse->click();
    EXPECT_TRUE(ZorvicForm->IncludeCursor->isChecked());
}

TEST_F(MainWindowTest, CloseBoxParksInTheTrayWhenTheStoreSaysSo) {
    EXPECT_FALSE(ZorvicForm->close());
    EXPECT_FALSE(ZorvicForm->isVisible());
    EXPECT_EQ(ZorvicForm->MainFormInTray, 1);
    EXPECT_TRUE(ZorvicForm->TrayIcon->IsShown());

    ZorvicForm->OpenMainMenu->trigger();
    EXPECT_TRUE(ZorvicForm->isVisible());
    EXPECT_EQ(ZorvicForm->MainFormInTray, 0);
}

TEST_F(MainWindowTest, CloseBoxQuitsWhenTheStoreSaysExitOrNothing) {
    for (std::string quit : {"1", ""}) {
        Restart();
        if (!quit.empty())
            Store(kHighKey, "Quit", K::Integer, quit);
        else
            DeleteRegValue(TRegRoot::HKEY_LOCAL_MACHINE, kHighKey, "Quit", false);
        EXPECT_TRUE(ZorvicForm->close());
        EXPECT_FALSE(ZorvicForm->TrayIcon->IsShown());
    }
}

TEST_F(MainWindowTest, ACloseActionOfTheWrongKindIsToldAndTheWindowParksInTheTray) {
    Store(kHighKey, "Quit", K::String, "0");
    ZorvicForm->show();
    EXPECT_FALSE(ZorvicForm->close());
    EXPECT_EQ(messages_, std::vector<std::string>{"Invalid data type for 'Quit'"});
    EXPECT_FALSE(ZorvicForm->isVisible());
    EXPECT_EQ(ZorvicForm->MainFormInTray, 1);
    EXPECT_TRUE(ZorvicForm->TrayIcon->IsShown());
    ZorvicForm->OpenMainMenu->trigger();
    EXPECT_TRUE(ZorvicForm->isVisible());
}

TEST_F(MainWindowTest, WithoutATrayHostTheCloseBoxMinimises) {
    const TTrayHostOverride noTrayHost(false);
    EXPECT_FALSE(ZorvicForm->close());
    EXPECT_TRUE(ZorvicForm->isVisible());
    EXPECT_TRUE(ZorvicForm->isMinimized());
    ZorvicForm->OpenMainMenuClick();
    EXPECT_FALSE(ZorvicForm->isMinimized());
}

TEST_F(MainWindowTest, CameraButtonSwapsTheMainWindowForTheCameraWindowAndBack) {
    ZorvicForm->CameraBtn->click();
    EXPECT_FALSE(ZorvicForm->isVisible());
    EXPECT_TRUE(VideoForm->isVisible());
    EXPECT_TRUE(VideoForm->isModal());
    VideoForm->close();
    EXPECT_TRUE(ZorvicForm->isVisible());
}

TEST_F(MainWindowTest, EditorReadsTheSavePageAsItStandsNow) {
    ZorvicForm->NameASTime->setChecked(true);
    ZorvicForm->FNameTemp->setText("图");
    ZorvicForm->SaveDir->setText("/tmp/shots");
    ZorvicForm->PicFormatRadioGroup->SetItemIndex(3);
    ZorvicForm->JpgCompTrackBar->setValue(35);
    const TSaveSettings settings = ZorvicForm->SaveSettings();
    EXPECT_TRUE(settings.NameByTime);
    EXPECT_EQ(settings.NameTemplate, "图");
    EXPECT_EQ(settings.SaveDirectory, "/tmp/shots");
    EXPECT_EQ(settings.FormatIndex, 3);
    EXPECT_EQ(settings.JpegQuality, 35);
    // An emptied template field would name files by the counter alone.
    ZorvicForm->FNameTemp->clear();
    EXPECT_EQ(ZorvicForm->SaveSettings().NameTemplate, "截图");
}

TEST_F(MainWindowTest, CaptureReadsTheModeDelayAndHideOptionsAsTheyStandNow) {
    const std::pair<QAction*, CaptureMode> modes[] = {
        {ZorvicForm->ActiveWindow, CaptureMode::ActiveWindow},
        {ZorvicForm->FullScreen, CaptureMode::FullScreen},
        {ZorvicForm->Region, CaptureMode::Region},
        {ZorvicForm->FixRegion, CaptureMode::FixRegion},
        {ZorvicForm->AxtiveObject, CaptureMode::AxtiveObject},
    };
    for (const auto& [item, mode] : modes) {
        item->trigger();
        EXPECT_EQ(ZorvicForm->CheckedMode(), mode);
    }
    ZorvicForm->DelayTime->setChecked(false);
    EXPECT_EQ(ZorvicForm->CaptureDelaySeconds(), std::nullopt);
    ZorvicForm->DelayTime->setChecked(true);
    ZorvicForm->DelayTimeCap->setText("3");
    EXPECT_EQ(ZorvicForm->CaptureDelaySeconds(), 3);
    ZorvicForm->HideMainForm->setChecked(false);
    EXPECT_FALSE(ZorvicForm->HideMainFormChecked());
}

TEST_F(MainWindowTest, ClosingTheEditorBringsTheWindowBackUnlessParkedAndRestartsThePoll) {
    ZorvicForm->hide();
    ZorvicForm->Capture()->StopHotKeyWatch();
    ZorvicForm->EditorClosed();
    EXPECT_TRUE(ZorvicForm->isVisible());
    EXPECT_TRUE(ZorvicForm->Capture()->HotKeyWatched());

    ZorvicForm->ParkInTray();
    ZorvicForm->Capture()->StopHotKeyWatch();
    ZorvicForm->EditorClosed();
    EXPECT_FALSE(ZorvicForm->isVisible());
    EXPECT_TRUE(ZorvicForm->Capture()->HotKeyWatched());
}

TEST_F(MainWindowTest, TheEditorClosesAndLetsItsPictureGoEvenWhenTheVersionCannotBeRead) {
    Store(kProductKey, "Ver", K::Integer, "15");
    ZorvicForm->hide();
    SaveForm->LoadPicture(TBitmap(30, 20));
    SaveForm->show();
    SaveForm->FormActivate();
    QSignalSpy closed(SaveForm, &TSaveForm::Closed); // what ends a modal showing
    SaveForm->close();
    EXPECT_EQ(messages_, std::vector<std::string>{"Invalid data type for 'Ver'"});
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(SaveForm->isVisible());
    EXPECT_TRUE(SaveForm->ActivationSnapshot.Empty());
}

TEST_F(MainWindowTest, CaptureButtonSendsCtrlBOnlyWhileTheHotKeyIsWatched) {
    ZorvicForm->CutBtn->click();
    EXPECT_EQ(desktop_->SentKeys.size(), 4u);

    // Editing or selecting a region: the key would come back to this window's own Ctrl+B item.
    desktop_->SentKeys.clear();
    ZorvicForm->Capture()->StopHotKeyWatch();
    ZorvicForm->CutBtn->click();
    ZorvicForm->BeginIp->trigger();
    EXPECT_TRUE(desktop_->SentKeys.empty());

    // Picking: the hot key is off, or on again when the other pick mode was chosen meanwhile.
    ZorvicForm->Capture()->StartHotKeyWatch();
    ZorvicForm->Capture()->PickArmed = true;
    ZorvicForm->CutBtn->click();
    EXPECT_TRUE(desktop_->SentKeys.empty());
}

TEST_F(MainWindowTest, TheHotKeyIsOnFromTheStartAndOffOnceTheProgramQuits) {
    EXPECT_EQ(std::count(hookLog_.begin(), hookLog_.end(), "EnableHotKeyHook"), 1);
    EXPECT_TRUE(fakeHooks_.HotKeyHookOn);
    EXPECT_TRUE(messages_.empty());
    ZorvicForm->Quit->trigger();
    EXPECT_FALSE(fakeHooks_.HotKeyHookOn);
}

TEST_F(MainWindowTest, CtrlBHeldByAnotherProgramAtStartIsToldOnceTheWindowIsUp) {
    Restart();
    EXPECT_TRUE(messages_.empty());
    fakeHooks_.HotKeyHeldByAnotherProgram = true;
    Restart();
    EXPECT_TRUE(messages_.empty()) << "the box must not hold up the window's appearance";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_.empty(); }));
    EXPECT_EQ(messages_,
              std::vector<std::string>{"截图快捷键Ctrl+B已被其他程序占用，按Ctrl+B将无法截图。"
                                       "请关闭占用它的程序后重新启动Zorvic。"});
    // The program's own grab is still asked for: the key may come free.
    EXPECT_TRUE(fakeHooks_.HotKeyHookOn);
}

TEST_F(MainWindowTest, TheEditorPlaysTheCaptureSoundOnlyWhenTheOptionAsks) {
    for (const bool wanted : {false, true}) {
        hookLog_.clear();
        ZorvicForm->OverSound->setChecked(wanted);
        SaveForm->LoadPicture(TBitmap(30, 20));
        SaveForm->FormShow();
        EXPECT_EQ(std::count(hookLog_.begin(), hookLog_.end(), "PlayVoice"), wanted ? 1 : 0);
        SaveForm->hide();
    }
}

TEST_F(MainWindowTest, WhatTheDesktopCannotOpenIsNamedInABox) {
    const std::string readme = ProgramDirectory() + "Readme.txt";
    {
        TStandInCommands commands;
        commands.Add("xdg-open");
        ZorvicForm->US->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return commands.Calls("xdg-open").size() == 1; }));
        EXPECT_EQ(commands.Calls("xdg-open").front(), readme);
    }
    const std::pair<QAction*, std::string> items[] = {
        {ZorvicForm->US, readme},
        {ZorvicForm->MailMenu, "support@zorvic.example"},
        {SaveForm->Menus.OpenMenu, ZorvicForm->SaveDir->text().toStdString()},
        {SaveForm->Menus.HomePageMenu, "https://zorvic.example/"},
    };
    // No opener at all, and one that fails.
    for (const std::optional<int> status : {std::optional<int>(), std::optional<int>(3)}) {
        TStandInCommands commands;
        if (status) commands.Add("xdg-open", *status);
        for (const auto& [item, named] : items) {
            messages_.clear();
            item->trigger();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_.empty(); })) << named;
            EXPECT_EQ(messages_.size(), 1u);
            EXPECT_NE(messages_.front().find(named), std::string::npos) << messages_.front();
        }
        EXPECT_EQ(commands.Calls("xdg-open").size(), status ? 4u : 0u);
    }
}

TEST_F(MainWindowTest, QtsOwnButtonsSpeakChinese) {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), "确定");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "取消");
}

} // namespace
} // namespace zorvic::testing
