#include "EditorToolBar.h"

#include <QLayout>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include <vector>

namespace zorvic {

namespace {

constexpr int kButtonWidth = 55, kButtonHeight = 60, kSeparatorWidth = 8;

QToolButton* AddButton(QToolBar& bar, const char* name, const char* caption, const char* hint,
                       TToolBarIcon icon) {
    auto* button = new QToolButton(&bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromUtf8(caption));
    button->setToolTip(QString::fromUtf8(hint));
    button->setIcon(ToolBarIcon(icon));
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar.addWidget(button);
    return button;
}

QWidget* AddSeparator(QToolBar& bar, const char* name) {
    auto* gap = new QWidget(&bar);
    gap->setObjectName(QString::fromLatin1(name));
    gap->setFixedSize(kSeparatorWidth, kButtonHeight);
    bar.addWidget(gap);
    return gap;
}

} // namespace

void TEditorToolBar::ShowCaptions(bool on) {
    const auto style = on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly;
    for (auto* button : SaveToolBar->findChildren<QToolButton*>())
        button->setToolButtonStyle(style);
}

TEditorToolBar BuildEditorToolBar(QMainWindow& window) {
    TEditorToolBar t;
    t.SaveToolBar = new QToolBar(&window);
    QToolBar& bar = *t.SaveToolBar;
    bar.setObjectName(QStringLiteral("SaveToolBar"));
    bar.setMovable(false);
    bar.setFloatable(false);
    bar.setFixedHeight(TEditorToolBar::kHeight);
    bar.setContentsMargins(0, 0, 0, 0);
    bar.layout()->setSpacing(0);
    // The View menu shows and hides the bar; its own context menu would bypass that.
    bar.toggleViewAction()->setVisible(false);
    window.setContextMenuPolicy(Qt::NoContextMenu);
    window.addToolBar(Qt::TopToolBarArea, &bar);

    t.SaveToolButton =
        AddButton(bar, "SaveToolButton", "完成", "保存图像到指定目录", TToolBarIcon::Save);
    t.CancelToolButton =
        AddButton(bar, "CancelToolButton", "取消", "取消当前截取的图像", TToolBarIcon::Cancel);
    t.divisionToolBtn1 = AddSeparator(bar, "divisionToolBtn1");
    t.SaveASToolButton =
        AddButton(bar, "SaveASToolButton", "另存为", "图像另存为", TToolBarIcon::SaveAs);
    t.ClipboardToolButton = AddButton(bar, "ClipboardToolButton", "剪贴板", "复制图像到剪贴板",
                                      TToolBarIcon::Clipboard);
    t.divisionToolBtn2 = AddSeparator(bar, "divisionToolBtn2");
    t.Degrees90ToolButton = AddButton(bar, "Degrees90ToolButton", "90度旋转", "图像顺时针旋转90度",
                                      TToolBarIcon::Turn90);
    t.LevelFilpToolButton = AddButton(bar, "LevelFilpToolButton", "水平翻转", "水平翻转图像",
                                      TToolBarIcon::FlipHorizontal);
    t.VerticalFilpToolButton = AddButton(bar, "VerticalFilpToolButton", "垂直翻转", "垂直翻转图像",
                                         TToolBarIcon::FlipVertical);
    t.divisionToolBtn3 = AddSeparator(bar, "divisionToolBtn3");
    t.EnlargeToolButton =
        AddButton(bar, "EnlargeToolButton", "放大", "图像按一定比例放大", TToolBarIcon::Enlarge);
    t.NarrowToolButton =
        AddButton(bar, "NarrowToolButton", "缩小", "图像按一定比例缩小", TToolBarIcon::Reduce);
    t.ActualSizeToolButton = AddButton(bar, "ActualSizeToolButton", "实际大小", "恢复图像实际大小",
                                       TToolBarIcon::ActualSize);
    return t;
}

} // namespace zorvic
