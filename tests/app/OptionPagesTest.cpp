#include "AppSandbox.h"

#include "ConventionalPage.h"
#include "Errors.h"
#include "HighPage.h"
#include "RadioGroup.h"
#include "RegEdit.h"
#include "SavePage.h"
#include "UpDown.h"
#include "ZorvicMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

namespace zorvic::testing {
namespace {

using K = TValueKind;

class OptionPagesTest : public AppSandbox {
protected:
    void SetUp() override {
        AppSandbox::SetUp();
        Start();
    }
    // Replaces the field's text as typing over a selection does.
    static void TypeOver(QLineEdit* field, const QString& keys) {
        field->selectAll();
        QTest::keyClicks(field, keys);
    }
};

TEST_F(OptionPagesTest, DelayFieldTakesOnlyDigitsAndStaysWithinOneToSixty) {
    QLineEdit* field = ZorvicForm->DelayTimeCap;
    struct TCase {
        const char* typed;
        const char* shown;
    };
    for (const TCase& c : {TCase{"75", "60"}, TCase{"0", "1"}, TCase{"4a2", "42"}, TCase{"x", "1"},
                           TCase{"59", "59"}}) {
        SCOPED_TRACE(c.typed);
        field->setText("1");
        TypeOver(field, c.typed);
        EXPECT_EQ(field->text(), c.shown);
    }
    field->setText("12");
    field->end(false);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "12");
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), "2");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(OptionPagesTest, EmptyingTheDelayFieldReportsTheConversionError) {
    ZorvicForm->DelayTimeCap->setText("3");
    ZorvicForm->DelayTimeCap->selectAll();
    QTest::keyClick(ZorvicForm->DelayTimeCap, Qt::Key_Delete);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "'' is not a valid integer value");
    EXPECT_THROW(ZorvicForm->sTabConventional->DelayTimeCapChange(), EConvertError);
}

TEST_F(OptionPagesTest, DelayArrowsStepWithinTheRangeAndZeroBecomesOne) {
    ZorvicForm->DelayTimeCap->setText("60");
    ZorvicForm->DelayTimeUpDown->Step(1);
    EXPECT_EQ(ZorvicForm->DelayTimeCap->text(), "60");
    ZorvicForm->DelayTimeCap->setText("1");
    ZorvicForm->DelayTimeUpDown->Step(-1);
    EXPECT_EQ(ZorvicForm->DelayTimeCap->text(), "1");
}

TEST_F(OptionPagesTest, FixedSizeFieldsBelowOneGoBackToTheirDefaultWithAMessage) {
    struct TCase {
        QLineEdit* field;
        const char* typed;
        const char* shown;
        bool warned;
    };
    for (const TCase& c : {TCase{ZorvicForm->WidthValue, "", "600", true},
                           TCase{ZorvicForm->WidthValue, "0", "600", true},
                           TCase{ZorvicForm->HeightValue, "-3", "400", true},
                           TCase{ZorvicForm->HeightValue, "abc", "400", true},
                           TCase{ZorvicForm->WidthValue, "1", "1", false}}) {
        SCOPED_TRACE(c.typed);
        messages_.clear();
        c.field->setText(c.typed);
        EXPECT_EQ(c.field->text(), c.shown);
        EXPECT_EQ(messages_, c.warned ? std::vector<std::string>{"请输入大于1的数"}
                                      : std::vector<std::string>{});
    }
}

TEST_F(OptionPagesTest, TemplateNeverStaysEmptyAndTheRatioLabelFollowsTheSlider) {
    TypeOver(ZorvicForm->FNameTemp, "");
    QTest::keyClick(ZorvicForm->FNameTemp, Qt::Key_Backspace);
    EXPECT_EQ(ZorvicForm->FNameTemp->text(), "截图");
    ZorvicForm->JpgCompTrackBar->setValue(7);
    EXPECT_EQ(ZorvicForm->JpgComp->text(), "压缩比：7%");
}

TEST_F(OptionPagesTest, GeneralOkStoresItsValuesAndTheFixedSize) {
    ZorvicForm->WidthValue->setText("640");
    ZorvicForm->HeightValue->setText("48");
    ZorvicForm->OverSound->setChecked(false);
    ZorvicForm->DelayTime->setChecked(true);
    ZorvicForm->DelayTimeCap->setText("3");
    ZorvicForm->ConventionalOKBtn->click();
    EXPECT_EQ(ZorvicForm->FixedWidth, 640);
    EXPECT_EQ(ZorvicForm->FixedHeight, 48);
    EXPECT_EQ(Stored(kConventionalKey, "Width", K::String), "640");
    EXPECT_EQ(Stored(kConventionalKey, "Height", K::String), "48");
    EXPECT_EQ(Stored(kConventionalKey, "Sound", K::String), "0");
    EXPECT_EQ(Stored(kConventionalKey, "Mouse", K::String), "1");
    EXPECT_EQ(Stored(kConventionalKey, "Hide", K::String), "1");
    EXPECT_EQ(Stored(kConventionalKey, "Delay", K::Integer), "3000");

    ZorvicForm->DelayTime->setChecked(false);
    ZorvicForm->ConventionalOKBtn->click();
    EXPECT_EQ(Stored(kConventionalKey, "Delay", K::Integer), "0");
}

TEST_F(OptionPagesTest, GeneralOkWithAnEmptyDelayStopsBeforeTheDelay) {
    ZorvicForm->DelayTime->setChecked(true);
    ZorvicForm->DelayTimeCap->setText("");
    messages_.clear();
    ZorvicForm->OverSound->setChecked(false);
    ZorvicForm->ConventionalOKBtn->click();
    EXPECT_EQ(messages_, std::vector<std::string>{"'' is not a valid integer value"});
    EXPECT_EQ(Stored(kConventionalKey, "Sound", K::String), "0");
    EXPECT_EQ(Stored(kConventionalKey, "Delay", K::Integer), "0");
}

TEST_F(OptionPagesTest, SaveOkStoresTemplateAndFolderOnlyWhenNamingByTemplate) {
    ZorvicForm->PicFormatRadioGroup->SetItemIndex(3);
    ZorvicForm->JpgCompTrackBar->setValue(55);
    ZorvicForm->FNameTemp->setText("shot");
    ZorvicForm->SaveDir->setText("/tmp/a");
    ZorvicForm->SaveOKBtn->click();
    EXPECT_EQ(Stored(kSaveKey, "Type", K::String), "3");
    EXPECT_EQ(Stored(kSaveKey, "Comp", K::String), "55");
    EXPECT_EQ(Stored(kSaveKey, "Time", K::String), "0");
    EXPECT_EQ(Stored(kSaveKey, "Temp", K::String), "shot");
    EXPECT_EQ(Stored(kSaveKey, "Dir", K::String), "/tmp/a");

    ZorvicForm->NameASTime->setChecked(true);
    ZorvicForm->FNameTemp->setText("other");
    ZorvicForm->SaveDir->setText("/tmp/b");
    ZorvicForm->SaveOKBtn->click();
    EXPECT_EQ(Stored(kSaveKey, "Time", K::String), "1");
    EXPECT_EQ(Stored(kSaveKey, "Temp", K::String), "shot");
    EXPECT_EQ(Stored(kSaveKey, "Dir", K::String), "/tmp/a");
}

TEST_F(OptionPagesTest, AdvancedOkStoresCloseActionAndAutostart) {
    ZorvicForm->QuitMain->SetItemIndex(1);
    ZorvicForm->AutoStart->setChecked(true);
    ZorvicForm->HighBtn->click();
    EXPECT_EQ(Stored(kHighKey, "Quit", K::Integer), "1");
    EXPECT_EQ(Stored(kHighKey, "Minimize", K::Integer), "0");
    // A fresh store has no Run key; checking autostart must still create the value.
    EXPECT_EQ(Stored(kRunKey, kRunValue, K::String), AutoStartCommand());
    EXPECT_EQ(AutoStartCommand().substr(AutoStartCommand().size() - 9), "/zorvic s");

    ZorvicForm->AutoStart->setChecked(false);
    ZorvicForm->HighBtn->click();
    EXPECT_FALSE(HasValue(kRunKey, kRunValue));
    ZorvicForm->HighBtn->click(); // deleting a missing value says nothing
    EXPECT_TRUE(messages_.empty());
}

} // namespace
} // namespace zorvic::testing
