#include "ConventionalPage.h"

#include "ErrorBoundary.h"
#include "Errors.h"
#include "MessageBoxes.h"
#include "PageStyle.h"
#include "ProductSettings.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace zorvic {

namespace {

QCheckBox* CheckBox(const QString& caption, bool checked, QWidget* parent, int left, int top,
                    int width, int height) {
    auto* box = new QCheckBox(caption, parent);
    box->setChecked(checked);
    box->setGeometry(left, top, width, height);
    return box;
}

// A fixed-region size below 1 (or no number at all) is put back to its default, with a word.
void KeepAtLeastOne(QLineEdit* field, int fallback) {
    if (StrToIntDef(field->text().toStdString(), 0) >= 1) return;
    field->setText(QString::number(fallback));
    ShowMessage("请输入大于1的数");
}

const char* Flag(const QCheckBox* box) {
    return box->isChecked() ? "1" : "0";
}

// The character a key press types into the field, if any. X11 gives Delete the text "\x7f" and
// Tab "\t", but Delete edits and Tab moves the focus on: neither is a typed character.
std::optional<QChar> TypedCharacter(const QKeyEvent& press) {
    const int key = press.key();
    if (key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab) return std::nullopt;
    if (press.text().size() != 1) return std::nullopt;
    return press.text()[0];
}

} // namespace

TConventionalPage::TConventionalPage(int& fixedWidth, int& fixedHeight, QWidget* parent)
    : QWidget(parent), fixedWidth_(fixedWidth), fixedHeight_(fixedHeight) {
    OverSound = CheckBox("捕捉完成时自动播放声音", true, this, 32, 30, 157, 19);
    IncludeMouse = CheckBox("捕捉图像时，同时捕捉鼠标", true, this, 32, 66, 169, 19);
    DelayTime = CheckBox("捕捉图像前的延迟时间(秒)：", false, this, 32, 106, 177, 19);
    DelayTimeCap = NumberField("1", this, 203, 104, 49, 21);
    DelayTimeUpDown = new TUpDown(DelayTimeCap, 0, 60, 1, this);
    DelayTimeUpDown->setGeometry(252, 104, 16, 21);
    HideMainForm = CheckBox("捕捉图像时，自动隐藏主窗口", true, this, 32, 144, 181, 19);
    Introd = CaptionLabel("固定区域设置：", this, 33, 183);
    CaptionLabel("宽度：", this, 131, 183);
    WidthValue = NumberField("600", this, 167, 179, 50, 21);
    CaptionLabel("高度：", this, 231, 183);
    HeightValue = NumberField("400", this, 267, 179, 50, 21);
    ConventionalOKBtn = new QPushButton("确定", this);
    ConventionalOKBtn->setGeometry(268, 212, 75, 25);

    DelayTimeCap->installEventFilter(this);
    connect(DelayTimeCap, &QLineEdit::textChanged, this, Guarded([this] { DelayTimeCapChange(); }));
    connect(WidthValue, &QLineEdit::textChanged, this, Guarded([this] { WidthValueChange(); }));
    connect(HeightValue, &QLineEdit::textChanged, this, Guarded([this] { HeightValueChange(); }));
    connect(ConventionalOKBtn, &QPushButton::clicked, this,
            Guarded([this] { ConventionalOKBtnClick(); }));
}

bool TConventionalPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DelayTimeCap && event->type() == QEvent::KeyPress) {
        // Keys that type nothing (Delete, Tab, arrows) keep working.
        if (std::optional<QChar> key = TypedCharacter(*static_cast<QKeyEvent*>(event))) {
            DelayTimeCapKeyPress(*key);
            if (key->isNull()) return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TConventionalPage::DelayTimeCapKeyPress(QChar& key) {
    const bool digit = key >= QLatin1Char('0') && key <= QLatin1Char('9');
    const bool enter = key == QLatin1Char('\r');
    if (!digit && !enter) key = QChar();
}

void TConventionalPage::DelayTimeCapChange() {
    const int seconds = StrToInt(DelayTimeCap->text().toStdString());
    if (seconds > 60)
        DelayTimeCap->setText("60");
    else if (seconds < 1)
        DelayTimeCap->setText("1");
}

void TConventionalPage::WidthValueChange() {
    KeepAtLeastOne(WidthValue, 600);
}

void TConventionalPage::HeightValueChange() {
    KeepAtLeastOne(HeightValue, 400);
}

void TConventionalPage::ConventionalOKBtnClick() {
    fixedWidth_ = StrToInt(WidthValue->text().toStdString());
    fixedHeight_ = StrToInt(HeightValue->text().toStdString());
    WriteSetting(kConventionalKey, "Width", TValueKind::String, WidthValue->text().toStdString());
    WriteSetting(kConventionalKey, "Height", TValueKind::String, HeightValue->text().toStdString());
    WriteSetting(kConventionalKey, "Mouse", TValueKind::String, Flag(IncludeMouse));
    WriteSetting(kConventionalKey, "Sound", TValueKind::String, Flag(OverSound));
    WriteSetting(kConventionalKey, "Hide", TValueKind::String, Flag(HideMainForm));
    const int delay =
        DelayTime->isChecked() ? StrToInt(DelayTimeCap->text().toStdString()) * 1000 : 0;
    WriteSetting(kConventionalKey, "Delay", TValueKind::Integer, std::to_string(delay));
}

} // namespace zorvic
