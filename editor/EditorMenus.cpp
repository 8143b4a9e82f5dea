#include "EditorMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zorvic {

namespace {

QAction* Item(QMenu& menu, const char* name, const char* caption, const char* shortcut = nullptr,
              int tag = 0) {
    QAction* item = menu.addAction(QString::fromUtf8(caption));
    item->setObjectName(QString::fromLatin1(name));
    if (shortcut) item->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    if (tag) item->setData(tag);
    return item;
}

QMenu* Submenu(QMenu& parent, const char* name, const char* caption) {
    QMenu* menu = parent.addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* TopMenu(QMenuBar& bar, const char* name, const char* caption) {
    QMenu* menu = bar.addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* CheckItem(QMenu& menu, const char* name, const char* caption) {
    QAction* item = Item(menu, name, caption);
    item->setCheckable(true);
    item->setChecked(true);
    return item;
}

void AddSeparator(QMenu& menu, const char* name) {
    menu.addSeparator()->setObjectName(QString::fromLatin1(name));
}

} // namespace

TEditorMenus BuildEditorMenus(QMenuBar& bar) {
    TEditorMenus m;
    bar.setObjectName(QStringLiteral("MainMenu"));

    QMenu& file = *TopMenu(bar, "FileMenu", "文件(&F)");
    m.OpenMenu = Item(file, "OpenMenu", "打开捕捉图像目录");
    AddSeparator(file, "Cut1");
    m.SaveASMenu = Item(file, "SaveASMenu", "图像另存为", "Ctrl+S");
    m.CopyToClipMenu = Item(file, "CopyToClipMenu", "复制到剪贴板", "Ctrl+C");
    AddSeparator(file, "Cut2");
    m.CloseMenu = Item(file, "CloseMenu", "退出");

    QMenu& edit = *TopMenu(bar, "EditMenu", "编辑(&E)");
    m.UnDoMenu = Item(edit, "UnDoMenu", "撤销", "Ctrl+Z");
    m.ReDoMenu = Item(edit, "ReDoMenu", "重做", "Ctrl+Shift+Z");

    QMenu& view = *TopMenu(bar, "ViewMenu", "视图(&V)");
    m.ToolBarStatusMenu = Submenu(view, "ToolBarStatusMenu", "工具栏");
    m.ToolBarBtnMenu = CheckItem(*m.ToolBarStatusMenu, "ToolBarBtnMenu", "工具栏按钮");
    m.ToolBarTextMenu = CheckItem(*m.ToolBarStatusMenu, "ToolBarTextMenu", "文字标签");
    m.ToolsStatusMenu = CheckItem(view, "ToolsStatusMenu", "绘图工具栏");
    m.StatusMenu = CheckItem(view, "StatusMenu", "状态栏");

    QMenu& image = *TopMenu(bar, "ImageMenu", "图像(&P)");
    m.SizeMenu = Item(image, "SizeMenu", "尺寸");
    m.SizeMenu->setVisible(false);
    QMenu& flip = *Submenu(image, "FlipMenu", "翻转");
    m.LevelFilpMenu = Item(flip, "LevelFilpMenu", "水平翻转", "Ctrl+Alt+L");
    m.VerticalFilpMenu = Item(flip, "VerticalFilpMenu", "垂直翻转", "Ctrl+Alt+V");
    QMenu& spin = *Submenu(image, "SpinMenu", "旋转");
    m.Degrees90Menu = Item(spin, "Degrees90Menu", "90度角", "Ctrl+D");
    m.Degrees180Menu = Item(spin, "Degrees180Menu", "180度角");
    m.Degrees270Menu = Item(spin, "Degrees270Menu", "270度角");
    m.ArbitraryDegreesMenu = Item(spin, "ArbitraryDegreesMenu", "任意角度");
    QMenu& mirror = *Submenu(image, "MirrorMenu", "镜像");
    m.LevelMirrorMenu = Item(mirror, "LevelMirrorMenu", "水平镜像", "Ctrl+L");
    m.VerticalMirrorMenu = Item(mirror, "VerticalMirrorMenu", "垂直镜像", "Ctrl+V");
    m.SymmetricalMirrorMenu = Item(mirror, "SymmetricalMirrorMenu", "对称镜像");
    AddSeparator(image, "Cut3");
    m.AntiColorMenu = Item(image, "AntiColorMenu", "反色", "Ctrl+Alt+O");
    m.TwoColorMenu = Item(image, "TwoColorMenu", "两色", "Ctrl+Alt+T");
    m.GrayMenu = Item(image, "GrayMenu", "灰度");
    AddSeparator(image, "Cut4");
    m.ContrastMenu = Item(image, "ContrastMenu", "对比度");
    m.SaturationMenu = Item(image, "SaturationMenu", "饱和度");
    m.BrightnessMenu = Item(image, "BrightnessMenu", "亮度");
    m.RGBMenu = Item(image, "RGBMenu", "RGB");

    QMenu& filter = *TopMenu(bar, "FilterMenu", "滤镜(&T)");
    m.ExposureMenu = Item(filter, "ExposureMenu", "曝光", nullptr, 1);
    QMenu& emboss = *Submenu(filter, "EmbossmentMenu", "浮雕");
    m.SculptureMenu = Item(emboss, "SculptureMenu", "雕刻", "Ctrl+Alt+S", 2);
    m.ReliefMenu = Item(emboss, "ReliefMenu", "浮雕", "Ctrl+Alt+R", 3);
    AddSeparator(filter, "Cut5");
    m.SharpeningMenu = Item(filter, "SharpeningMenu", "锐化");
    QMenu& motley = *Submenu(filter, "MotleyMenu", "杂色");
    m.BlackAndWhiteNoiseMenu = Item(motley, "BlackAndWhiteNoiseMenu", "黑白噪点");
    m.ColorNoiseMenu = Item(motley, "ColorNoiseMenu", "彩色噪点");
    m.SplashMenu = Item(filter, "SplashMenu", "喷溅");
    m.MosaicMenu = Item(filter, "MosaicMenu", "马赛克", "Ctrl+Alt+M");
    m.NeonMenu = Item(filter, "NeonMenu", "霓虹");
    AddSeparator(filter, "Cut6");
    m.DistortionMenu = Item(filter, "DistortionMenu", "扭曲");
    m.WaveMenu = Item(filter, "WaveMenu", "波浪");
    m.LongViewMenu = Item(filter, "LongViewMenu", "远视图");

    QMenu& tools = *TopMenu(bar, "ToolsMenu", "工具(&T)");
    m.SetWallPaperMenu = Item(tools, "SetWallPaperMenu", "设为壁纸", "Ctrl+Alt+W");

    QMenu& help = *TopMenu(bar, "HelpMenu", "帮助(&H)");
    m.MailUSMenu = Item(help, "MailUSMenu", "联系作者");
    m.HomePageMenu = Item(help, "HomePageMenu", "官方网站");
    m.AboutMenu = Item(help, "AboutMenu", "关于我们", "Ctrl+A");
    return m;
}

int MenuTag(const QAction& item) {
    return item.data().toInt();
}

} // namespace zorvic
