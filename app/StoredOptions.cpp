// Start-up: the stored options into the option controls, in the order the store is read.
#include "ZorvicMain.h"

#include "ConfigPaths.h"
#include "Errors.h"
#include "ProductSettings.h"
#include "RadioGroup.h"
#include "RegEdit.h"
#include "SavePage.h"
#include "StartupSteps.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include <optional>

namespace zorvic {

namespace {

// A missing value keeps its control's default; a stored text that is no number throws.
std::optional<int> StoredNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    return StrToInt(text);
}

void ShowStoredNumber(QLineEdit* field, const std::string& text) {
    if (StoredNumber(text)) field->setText(QString::fromStdString(text));
}

// A flag that is missing, or in a store that cannot be read, leaves its check box at its default.
void ShowStoredFlag(QCheckBox* box, const std::string& text) {
    if (!text.empty()) box->setChecked(text == "1");
}

std::string SaveDirectoryOrDocuments(const std::string& stored) {
    if (!stored.empty()) return stored;
    std::string personal;
    ReadRegValue(TRegRoot::HKEY_CURRENT_USER, kShellFoldersKey, "Personal", kRegString, personal,
                 false);
    // An empty save directory would save into whatever folder the program was started from.
    return personal.empty() ? DocumentsDirectory() : personal;
}

} // namespace

void TZorvicForm::LoadStoredOptions(TStartupSteps& steps) {
    using K = TValueKind;
    steps.Run([this] {
        SaveDir->setText(QString::fromStdString(
            SaveDirectoryOrDocuments(ReadSetting(kSaveKey, "Dir", K::String, false))));
    });
    steps.Run([this] {
        FNameTemp->setText(QString::fromStdString(ReadSetting(kSaveKey, "Temp", K::String, false)));
    });
    steps.Run([this] {
        if (ReadSetting(kSaveKey, "Time", K::String, true) == "1") NameASTime->setChecked(true);
    });
    steps.Run([this] {
        ShowStoredFlag(IncludeMouse, ReadSetting(kConventionalKey, "Mouse", K::String, true));
        IncludeMouseClick();
    });
    steps.Run([this] {
        const std::string delay = ReadSetting(kConventionalKey, "Delay", K::Integer, true);
        DelayTime->setChecked(!delay.empty() && delay != "0");
    });
    steps.Run([this] {
        ShowStoredFlag(HideMainForm, ReadSetting(kConventionalKey, "Hide", K::String, true));
    });
    steps.Run([this] {
        if (auto type = StoredNumber(ReadSetting(kSaveKey, "Type", K::String, false)))
            PicFormatRadioGroup->SetItemIndex(*type);
    });
    steps.Run([this] {
        if (auto ratio = StoredNumber(ReadSetting(kSaveKey, "Comp", K::String, false))) {
            JpgCompTrackBar->setValue(*ratio);
            sTabSave->JpgCompTrackBarChange();
        }
    });
    steps.Run([this] {
        ShowStoredFlag(OverSound, ReadSetting(kConventionalKey, "Sound", K::String, true));
    });
    steps.Run([this] {
        if (auto action = StoredNumber(ReadSetting(kHighKey, "Quit", K::Integer, true)))
            QuitMain->SetItemIndex(*action);
    });
    steps.Run([this] {
        ShowStoredNumber(WidthValue, ReadSetting(kConventionalKey, "Width", K::String, true));
    });
    steps.Run([this] {
        ShowStoredNumber(HeightValue, ReadSetting(kConventionalKey, "Height", K::String, true));
    });
}

} // namespace zorvic
