#include "SavePage.h"

#include "ErrorBoundary.h"
#include "FolderBrowser.h"
#include "PageStyle.h"
#include "ProductSettings.h"
#include "RadioGroup.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace zorvic {

namespace {
const QString kDefaultTemplate = QStringLiteral("截图");
} // namespace

TSavePage::TSavePage(QWidget* parent) : QWidget(parent) {
    SaveGroupBox = new QGroupBox("图像命名及保存规则", this);
    SaveGroupBox->setGeometry(16, 3, 321, 146);
    NameASTime = new QRadioButton("根据时间自动命名，如2008-10-01_10:10:10", SaveGroupBox);
    NameASTime->setGeometry(24, 24, 251, 19);
    NameASTemp = new QRadioButton("根据文件名模板自动命名，如截图", SaveGroupBox);
    NameASTemp->setGeometry(24, 56, 205, 19);
    NameASTemp->setChecked(true);
    (new QLabel("文件名模板", SaveGroupBox))->setGeometry(24, 84, 78, 15);
    FNameTemp = new QLineEdit(kDefaultTemplate, SaveGroupBox);
    FNameTemp->setGeometry(104, 81, 161, 21);
    (new QLabel("图像保存目录", SaveGroupBox))->setGeometry(24, 115, 78, 15);
    SaveDir = new QLineEdit(SaveGroupBox);
    SaveDir->setGeometry(104, 112, 161, 21);
    SaveDirBtn = new QPushButton("浏览", SaveGroupBox);
    SaveDirBtn->setGeometry(267, 110, 51, 25);

    PicFormatRadioGroup =
        new TRadioGroup("保存图片格式", {"bmp", "jpg", "gif", "tif", "png"}, 5, this);
    PicFormatRadioGroup->setGeometry(16, 150, 321, 56);
    PicFormatRadioGroup->SetItemIndex(1);
    JpgComp = CaptionLabel("压缩比：80%", this, 17, 213);
    JpgCompTrackBar = new QSlider(Qt::Horizontal, this);
    JpgCompTrackBar->setGeometry(92, 206, 167, 31);
    JpgCompTrackBar->setRange(1, 100);
    JpgCompTrackBar->setValue(80);
    JpgCompTrackBar->setTickPosition(QSlider::TicksBelow);
    JpgCompTrackBar->setTickInterval(10);
    SaveOKBtn = new QPushButton("确定", this);
    SaveOKBtn->setGeometry(267, 212, 75, 25);

    connect(JpgCompTrackBar, &QSlider::valueChanged, this,
            Guarded([this] { JpgCompTrackBarChange(); }));
    connect(FNameTemp, &QLineEdit::textChanged, this, Guarded([this] { FNameTempChange(); }));
    connect(SaveDirBtn, &QPushButton::clicked, this, Guarded([this] { SaveDirBtnClick(); }));
    connect(SaveOKBtn, &QPushButton::clicked, this, Guarded([this] { SaveOKBtnClick(); }));
}

void TSavePage::JpgCompTrackBarChange() {
    JpgComp->setText(QStringLiteral("压缩比：%1%").arg(JpgCompTrackBar->value()));
    JpgComp->adjustSize();
}

void TSavePage::FNameTempChange() {
    if (FNameTemp->text().isEmpty()) FNameTemp->setText(kDefaultTemplate);
}

void TSavePage::SaveDirBtnClick() {
    const std::string folder = BrowseForFolder(window());
    if (!folder.empty()) SaveDir->setText(QString::fromStdString(folder));
}

void TSavePage::SaveOKBtnClick() {
    WriteSetting(kSaveKey, "Type", TValueKind::String,
                 std::to_string(PicFormatRadioGroup->ItemIndex()));
    WriteSetting(kSaveKey, "Comp", TValueKind::String, std::to_string(JpgCompTrackBar->value()));
    if (NameASTemp->isChecked()) {
        WriteSetting(kSaveKey, "Time", TValueKind::String, "0");
        WriteSetting(kSaveKey, "Temp", TValueKind::String, FNameTemp->text().toStdString());
        WriteSetting(kSaveKey, "Dir", TValueKind::String, SaveDir->text().toStdString());
    } else {
        WriteSetting(kSaveKey, "Time", TValueKind::String, "1");
    }
}

} // namespace zorvic
