#include "HighPage.h"

#include "ErrorBoundary.h"
#include "ProductSettings.h"
#include "RadioGroup.h"
#include "RegEdit.h"

#include <QCheckBox>
#include <QPushButton>

namespace zorvic {

THighPage::THighPage(QWidget* parent) : QWidget(parent) {
    AutoStart = new QCheckBox("系统启动时，自动运行Zorvic", this);
    AutoStart->setGeometry(32, 32, 193, 19);
    StartToTray = new QCheckBox("Zorvic启动时，自动最小化到托盘", this);
    StartToTray->setGeometry(32, 72, 217, 19);
    StartToTray->setVisible(false);
    QuitMain = new TRadioGroup("点击关闭按钮时", {"最小化到托盘", "退出主程序"}, 2, this);
    QuitMain->setGeometry(32, 125, 265, 41);
    QuitMain->SetItemIndex(0);
    HighBtn = new QPushButton("确定", this);
    HighBtn->setGeometry(248, 192, 75, 25);
    connect(HighBtn, &QPushButton::clicked, this, Guarded([this] { HighBtnClick(); }));
}

void THighPage::HighBtnClick() {
    WriteSetting(kHighKey, "Quit", TValueKind::Integer, std::to_string(QuitMain->ItemIndex()));
    if (AutoStart->isChecked())
        // Created when missing: a fresh store has no Run key, and autostart must still stick.
        WriteSetting(kRunKey, kRunValue, TValueKind::String, AutoStartCommand(), true);
    else
        DeleteRegValue(TRegRoot::HKEY_LOCAL_MACHINE, kRunKey, kRunValue, false);
    WriteSetting(kHighKey, "Minimize", TValueKind::Integer, StartToTray->isChecked() ? "1" : "0");
}

} // namespace zorvic
