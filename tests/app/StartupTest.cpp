#include "AppSandbox.h"

#include "ConfigPaths.h"
#include "RadioGroup.h"
#include "RegEdit.h"
#include "Tray.h"
#include "ZorvicMain.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace zorvic::testing {
namespace {

using K = TValueKind;

struct TStoredValue {
    const char* key;
    const char* name;
    TValueKind kind;
    std::string text;
};

std::vector<TStoredValue> FreshDefaults() {
    return {
        {kProductKey, "Install_Dir", K::String, ProgramDirectory()},
        {kProductKey, "Ver", K::String, "V1.5"},
        {kConventionalKey, "Sound", K::String, "1"},
        {kConventionalKey, "Mouse", K::String, "1"},
        {kConventionalKey, "Hide", K::String, "1"},
        {kConventionalKey, "Delay", K::Integer, "0"},
        {kConventionalKey, "Width", K::String, "600"},
        {kConventionalKey, "Height", K::String, "400"},
        {kSaveKey, "Comp", K::String, "80"},
        {kSaveKey, "Dir", K::String, ""},
        {kSaveKey, "Temp", K::String, "截图"},
        {kSaveKey, "Time", K::String, "0"},
        {kSaveKey, "Type", K::String, "1"},
        {kHighKey, "Quit", K::Integer, "0"},
    };
}

using StartupTest = AppSandbox;

TEST_F(StartupTest, FirstRunWritesAllFourteenDefaultsWithTheirKinds) {
    Start();
    for (const TStoredValue& value : FreshDefaults()) {
        SCOPED_TRACE(value.name);
        EXPECT_TRUE(HasValue(value.key, value.name));
        EXPECT_EQ(Stored(value.key, value.name, value.kind), value.text);
    }
    EXPECT_FALSE(HasValue(kHighKey, "Minimize"));
    EXPECT_EQ(ZorvicForm->windowTitle(), "ZorvicV1.5");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(StartupTest, FreshInstallationShowsTheDefaultOptions) {
    Start();
    EXPECT_TRUE(ZorvicForm->OverSound->isChecked());
    EXPECT_TRUE(ZorvicForm->IncludeMouse->isChecked());
    EXPECT_TRUE(ZorvicForm->HideMainForm->isChecked());
    EXPECT_FALSE(ZorvicForm->DelayTime->isChecked());
    EXPECT_EQ(ZorvicForm->WidthValue->text(), "600");
    EXPECT_EQ(ZorvicForm->HeightValue->text(), "400");
    EXPECT_EQ(ZorvicForm->PicFormatRadioGroup->ItemIndex(), 1);
    EXPECT_EQ(ZorvicForm->JpgCompTrackBar->value(), 80);
    EXPECT_EQ(ZorvicForm->JpgComp->text(), "压缩比：80%");
    EXPECT_EQ(ZorvicForm->FNameTemp->text(), "截图");
    EXPECT_TRUE(ZorvicForm->NameASTemp->isChecked());
    EXPECT_EQ(ZorvicForm->SaveDir->text().toStdString(), DocumentsDirectory());
    EXPECT_EQ(ZorvicForm->QuitMain->ItemIndex(), 0);
    EXPECT_FALSE(ZorvicForm->AutoStart->isChecked());
}

TEST_F(StartupTest, LaterStartsNeverOverwriteAnInstallation) {
    Start();
    Store(kConventionalKey, "Width", K::String, "800");
    Store(kProductKey, "Ver", K::String, "V2.0");
    Restart();
    EXPECT_EQ(Stored(kConventionalKey, "Width", K::String), "800");
    EXPECT_EQ(ZorvicForm->WidthValue->text(), "800");
    EXPECT_EQ(ZorvicForm->FixedWidth, 800);
    EXPECT_EQ(ZorvicForm->windowTitle(), "ZorvicV2.0");
}

TEST_F(StartupTest, WithoutTheMarkerKeyTheDefaultsAreWrittenAgain) {
    Start();
    Store(kConventionalKey, "Width", K::String, "800");
    Store(kSaveKey, "Type", K::String, "3");
    RemoveMarkerKey();
    Restart();
    EXPECT_EQ(Stored(kConventionalKey, "Width", K::String), "600");
    EXPECT_EQ(Stored(kSaveKey, "Type", K::String), "1");
    EXPECT_EQ(Stored(kHighKey, "Quit", K::Integer), "0");
}

// One stored value changed from a fresh installation, and what the controls show for it.
struct TStartupRead {
    const char* label;
    TStoredValue stored;
    std::function<void(const TZorvicForm&)> expect;
};

TEST_F(StartupTest, StoredOptionsReachTheirControls) {
    const std::vector<TStartupRead> reads = {
        {"dir",
         {kSaveKey, "Dir", K::String, "/srv/pictures"},
         [](const TZorvicForm& f) { EXPECT_EQ(f.SaveDir->text(), "/srv/pictures"); }},
        {"empty template",
         {kSaveKey, "Temp", K::String, ""},
         [](const TZorvicForm& f) { EXPECT_EQ(f.FNameTemp->text(), "截图"); }},
        {"template",
         {kSaveKey, "Temp", K::String, "shot"},
         [](const TZorvicForm& f) { EXPECT_EQ(f.FNameTemp->text(), "shot"); }},
        {"name by time",
         {kSaveKey, "Time", K::String, "1"},
         [](const TZorvicForm& f) {
             EXPECT_TRUE(f.NameASTime->isChecked());
             EXPECT_FALSE(f.NameASTemp->isChecked());
         }},
        {"time other text",
         {kSaveKey, "Time", K::String, "yes"},
         [](const TZorvicForm& f) { EXPECT_TRUE(f.NameASTemp->isChecked()); }},
        {"no cursor",
         {kConventionalKey, "Mouse", K::String, "0"},
         [](const TZorvicForm& f) {
             EXPECT_FALSE(f.IncludeMouse->isChecked());
             EXPECT_FALSE(f.IncludeCursor->isChecked());
         }},
        {"delay 5 s",
         {kConventionalKey, "Delay", K::Integer, "5000"},
         [](const TZorvicForm& f) {
             EXPECT_TRUE(f.DelayTime->isChecked());
             EXPECT_EQ(f.DelayTimeCap->text(), "1");
         }},
        {"no hide",
         {kConventionalKey, "Hide", K::String, "0"},
         [](const TZorvicForm& f) { EXPECT_FALSE(f.HideMainForm->isChecked()); }},
        {"gif",
         {kSaveKey, "Type", K::String, "2"},
         [](const TZorvicForm& f) { EXPECT_EQ(f.PicFormatRadioGroup->ItemIndex(), 2); }},
        {"png",
         {kSaveKey, "Type", K::String, "4"},
         [](const TZorvicForm& f) { EXPECT_EQ(f.PicFormatRadioGroup->ItemIndex(), 4); }},
        {"type above range",
         {kSaveKey, "Type", K::String, "9"},
         [](const TZorvicForm& f) { EXPECT_EQ(f.PicFormatRadioGroup->ItemIndex(), 4); }},
        {"type below range",
         {kSaveKey, "Type", K::String, "-4"},
         [](const TZorvicForm& f) { EXPECT_EQ(f.PicFormatRadioGroup->ItemIndex(), -1); }},
        {"ratio",
         {kSaveKey, "Comp", K::String, "35"},
         [](const TZorvicForm& f) { EXPECT_EQ(f.JpgComp->text(), "压缩比：35%"); }},
        {"ratio above range",
         {kSaveKey, "Comp", K::String, "250"},
         [](const TZorvicForm& f) {
             EXPECT_EQ(f.JpgCompTrackBar->value(), 100);
             EXPECT_EQ(f.JpgComp->text(), "压缩比：100%");
         }},
        {"ratio below range",
         {kSaveKey, "Comp", K::String, "0"},
         [](const TZorvicForm& f) { EXPECT_EQ(f.JpgCompTrackBar->value(), 1); }},
        {"no sound",
         {kConventionalKey, "Sound", K::String, "0"},
         [](const TZorvicForm& f) { EXPECT_FALSE(f.OverSound->isChecked()); }},
        {"exit on close",
         {kHighKey, "Quit", K::Integer, "1"},
         [](const TZorvicForm& f) { EXPECT_EQ(f.QuitMain->ItemIndex(), 1); }},
        {"size",
         {kConventionalKey, "Height", K::String, "250"},
         [](const TZorvicForm& f) {
             EXPECT_EQ(f.HeightValue->text(), "250");
             EXPECT_EQ(f.FixedHeight, 250);
         }},
        {"autostart",
         {kRunKey, kRunValue, K::String, "/opt/zorvic/zorvic s"},
         [](const TZorvicForm& f) { EXPECT_TRUE(f.AutoStart->isChecked()); }},
    };
    Start();
    for (const TStartupRead& read : reads) {
        SCOPED_TRACE(read.label);
        RemoveMarkerKey();
        Restart(); // back to the defaults
        Store(read.stored.key, read.stored.name, read.stored.kind, read.stored.text);
        Restart();
        read.expect(*ZorvicForm);
        EXPECT_TRUE(messages_.empty()) << messages_.front();
        messages_.clear();
    }
}

TEST_F(StartupTest, EmptyOrMissingSaveDirectoryMeansTheDocumentsFolder) {
    Start();
    Store(kSaveKey, "Dir", K::String, "");
    Restart();
    const QString documents = ZorvicForm->SaveDir->text();
    EXPECT_FALSE(documents.isEmpty());
    DeleteRegValue(TRegRoot::HKEY_LOCAL_MACHINE, kSaveKey, "Dir", false);
    Restart();
    EXPECT_EQ(ZorvicForm->SaveDir->text(), documents);
}

TEST_F(StartupTest, EveryFormatChoiceIsStoredAsItsNumberAndComesBackAfterARestart) {
    Start();
    const char* const names[] = {"bmp", "jpg", "gif", "tif", "png"};
    for (int index = 0; index < 5; ++index) {
        SCOPED_TRACE(names[index]);
        ASSERT_EQ(ZorvicForm->PicFormatRadioGroup->Item(index)->text(), names[index]);
        ZorvicForm->PicFormatRadioGroup->Item(index)->click();
        ZorvicForm->SaveOKBtn->click();
        EXPECT_EQ(Stored(kSaveKey, "Type", K::String), std::to_string(index));
        Restart();
        EXPECT_EQ(ZorvicForm->PicFormatRadioGroup->ItemIndex(), index);
        EXPECT_EQ(ZorvicForm->SaveSettings().FormatIndex, index);
    }
}

TEST_F(StartupTest, AStoredNumberThatIsNoNumberIsReportedOnceAndStartUpGoesOn) {
    Start();
    Store(kSaveKey, "Type", K::String, "abc");
    Store(kConventionalKey, "Sound", K::String, "0");
    Store(kConventionalKey, "Width", K::String, "321");
    Restart();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "'abc' is not a valid integer value");
    EXPECT_EQ(ZorvicForm->PicFormatRadioGroup->ItemIndex(), 1);
    // The steps after the bad value still ran.
    EXPECT_FALSE(ZorvicForm->OverSound->isChecked());
    EXPECT_EQ(ZorvicForm->FixedWidth, 321);
}

TEST_F(StartupTest, AValueStoredAsTheWrongKindIsReportedAndSkipped) {
    Start();
    Store(kHighKey, "Quit", K::String, "1");
    Store(kSaveKey, "Comp", K::String, "x9");
    Restart();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("Invalid data type for 'Quit'"), std::string::npos);
    EXPECT_NE(messages_[0].find("'x9' is not a valid integer value"), std::string::npos);
    EXPECT_EQ(ZorvicForm->QuitMain->ItemIndex(), 0);
    EXPECT_EQ(ZorvicForm->JpgCompTrackBar->value(), 80);
}

TEST_F(StartupTest, ADamagedSettingsFileKeepsWhatCanBeReadAndIsToldOnceInABox) {
    Start();
    Store(kConventionalKey, "Width", K::String, "800");
    Store(kSaveKey, "Type", K::String, "3");
    const QString file = QString::fromStdString(home_->Settings() + "/HKLM.reg");
    {
        QFile settings(file);
        ASSERT_TRUE(settings.open(QIODevice::Append));
        settings.write("\"Broken\"=\"unterminated\n");
    }
    Restart();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find(file.toStdString()), std::string::npos) << messages_[0];
    EXPECT_NE(messages_[0].find(file.toStdString() + ".corrupt-"), std::string::npos)
        << messages_[0];
    EXPECT_EQ(ZorvicForm->WidthValue->text(), "800");
    EXPECT_EQ(ZorvicForm->PicFormatRadioGroup->ItemIndex(), 3);
    Restart();
    EXPECT_EQ(messages_.size(), 1u) << messages_.back();
}

TEST_F(StartupTest, AnUnreadableSettingsFileIsToldOnceInOneLineAndTheDefaultsRun) {
    // A folder where the file should be cannot be read, whoever runs the test.
    QDir().mkpath(QString::fromStdString(home_->Settings() + "/HKLM.reg/inside"));
    Start({"s"}); // as the session starts it
    EXPECT_EQ(ZorvicForm->MainFormInTray, 1);
    EXPECT_EQ(ZorvicForm->windowTitle(), "Zorvic");
    EXPECT_TRUE(ZorvicForm->OverSound->isChecked());
    EXPECT_EQ(ZorvicForm->WidthValue->text(), "600");
    EXPECT_EQ(ZorvicForm->PicFormatRadioGroup->ItemIndex(), 1);
    EXPECT_EQ(ZorvicForm->QuitMain->ItemIndex(), 0);
    for (QPushButton* ok :
         {ZorvicForm->ConventionalOKBtn, ZorvicForm->SaveOKBtn, ZorvicForm->HighBtn})
        ok->click();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("HKLM.reg"), std::string::npos) << messages_[0];
    EXPECT_EQ(messages_[0].find('\n'), std::string::npos) << messages_[0];
}

TEST_F(StartupTest, AVersionThatCannotBeReadIsToldAndTheParkedStartGoesOn) {
    Start();
    Store(kProductKey, "Ver", K::Integer, "15");
    EXPECT_NO_THROW(Restart({"s"}));
    EXPECT_EQ(ZorvicForm->MainFormInTray, 1);
    EXPECT_FALSE(ZorvicForm->isVisible());
    ASSERT_FALSE(messages_.empty());
    for (const std::string& message : messages_)
        EXPECT_EQ(message, "Invalid data type for 'Ver'");
}

TEST_F(StartupTest, TheFirstArgumentDecidesWhetherTheMainWindowAppears) {
    struct TCase {
        QStringList arguments;
        bool visible;
        int inTray;
    };
    for (const TCase& c : {TCase{{}, true, 0}, TCase{{"s"}, false, 1}, TCase{{"S"}, false, 0},
                           TCase{{"s", "x"}, false, 1}, TCase{{"other"}, false, 0}}) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        Restart(c.arguments);
        EXPECT_EQ(ZorvicForm->isVisible(), c.visible);
        EXPECT_EQ(ZorvicForm->MainFormInTray, c.inTray);
    }
}

TEST_F(StartupTest, WithoutATrayHostAParkedStartIsMinimisedNotHidden) {
    const TTrayHostOverride noTrayHost(false);
    Start({"s"});
    EXPECT_TRUE(ZorvicForm->isVisible());
    EXPECT_TRUE(ZorvicForm->isMinimized());
    EXPECT_EQ(ZorvicForm->MainFormInTray, 1);
}

} // namespace
} // namespace zorvic::testing
