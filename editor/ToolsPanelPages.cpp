// The option pages of the palette, one per tool that has options.
#include "PenBrushButtons.h"
#include "ToolsPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>

#include <climits>

namespace zorvic {

namespace {

QLabel* AddLabel(QWidget* page, const char* text, int x, int y) {
    auto* label = new QLabel(QString::fromUtf8(text), page);
    label->move(x, y);
    return label;
}

QSpinBox* AddNumberBox(QWidget* page, int minimum, int maximum, int value, const QRect& place) {
    auto* box = new QSpinBox(page);
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->setGeometry(place);
    return box;
}

QPushButton* AddButton(QWidget* page, const char* caption, const QRect& place) {
    auto* button = new QPushButton(QString::fromUtf8(caption), page);
    button->setGeometry(place);
    return button;
}

// One group of style buttons, one always down, each reporting its style code.
template <std::size_t N, typename MakeIcon>
QButtonGroup* AddStyleButtons(QWidget* page, std::array<QToolButton*, N>& buttons, int perRow,
                              QPoint origin, QSize size, MakeIcon icon) {
    auto* group = new QButtonGroup(page);
    for (std::size_t code = 0; code < N; ++code) {
        auto* button = new QToolButton(page);
        const int column = static_cast<int>(code) % perRow, row = static_cast<int>(code) / perRow;
        button->setGeometry(
            QRect(origin + QPoint(column * (size.width() + 2), row * (size.height() + 2)), size));
        button->setCheckable(true);
        button->setIcon(icon(code));
        group->addButton(button, static_cast<int>(code));
        buttons[code] = button;
    }
    buttons[0]->setChecked(true);
    return group;
}

} // namespace

QWidget* TToolsPanel::AddPage(const char* caption) {
    auto* page = new QWidget(AttributeToolbox);
    // The tabs are not shown; the caption names the page for the accessibility tools.
    page->setWindowTitle(QString::fromUtf8(caption));
    page->setAccessibleName(page->windowTitle());
    AttributeToolbox->addWidget(page);
    return page;
}

void TToolsPanel::BuildPages() {
    AttributeToolbox = new QStackedWidget(this);
    AttributeToolbox->setGeometry(8, 228, 113, 167);
    AttributeToolbox->setToolTip(QStringLiteral("工具箱属性栏"));
    BuildSprayGunPage();
    BuildImageScalingPage();
    BuildMagnifyingGlassPage();
    BuildLineAndSoOnPage();
    BuildArbitraryDegreesPage();
    BuildTranslationPage();
    BuildTextToolPage();
    ShowPage(sTabLineAndSoOn);
}

void TToolsPanel::BuildSprayGunPage() {
    sTabSprayGun = AddPage("喷枪属性 ");
    AddLabel(sTabSprayGun, "半径大小：", 6, 12);
    Radius = AddNumberBox(sTabSprayGun, 1, 500, 10, QRect(6, 32, 90, 22));
}

void TToolsPanel::BuildImageScalingPage() {
    sTabImageScaling = AddPage("图像缩放");
    EnlargeBtn = AddButton(sTabImageScaling, "放大", QRect(11, 16, 90, 30));
    NarrowBtn = AddButton(sTabImageScaling, "缩小", QRect(11, 56, 90, 30));
    ActualSizeBtn = AddButton(sTabImageScaling, "实际大小", QRect(11, 96, 90, 30));
}

void TToolsPanel::BuildMagnifyingGlassPage() {
    sTabMagnifyingGlass = AddPage("放大镜");
    AddLabel(sTabMagnifyingGlass, "放大率", 4, 6);
    MagnificationEdit = AddNumberBox(sTabMagnifyingGlass, 2, 50, 2, QRect(52, 2, 56, 22));
    AddLabel(sTabMagnifyingGlass, "半径", 4, 32);
    RadiusEdit = AddNumberBox(sTabMagnifyingGlass, 10, 100, 30, QRect(52, 28, 56, 22));

    ShapeGroup = new QGroupBox(QStringLiteral("形状"), sTabMagnifyingGlass);
    ShapeGroup->setGeometry(2, 54, 109, 46);
    auto* columns = new QHBoxLayout(ShapeGroup);
    columns->setContentsMargins(4, 2, 4, 2);
    SquareShape = new QRadioButton(QStringLiteral("方形"), ShapeGroup);
    RoundShape = new QRadioButton(QStringLiteral("圆形"), ShapeGroup);
    columns->addWidget(SquareShape);
    columns->addWidget(RoundShape);
    SquareShape->setChecked(true);

    UseBorder = new QCheckBox(QStringLiteral("边框"), sTabMagnifyingGlass);
    UseBorder->setGeometry(6, 106, 100, 20);
    UseBorder->setChecked(true);
    UseCursor = new QCheckBox(QStringLiteral("光标"), sTabMagnifyingGlass);
    UseCursor->setGeometry(6, 130, 100, 20);
    UseCursor->setChecked(true);
}

int TToolsPanel::MagnifierShape() const {
    return RoundShape->isChecked() ? 1 : 0;
}

void TToolsPanel::BuildLineAndSoOnPage() {
    sTabLineAndSoOn = AddPage("直线矩形");
    QButtonGroup* pens = AddStyleButtons(
        sTabLineAndSoOn, PenButtons, 3, QPoint(6, 6), QSize(31, 22),
        [](std::size_t code) { return PenStyleIcon(static_cast<TPenStyle>(code)); });
    auto* bevel = new QFrame(sTabLineAndSoOn);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(4, 56, 105, 4);
    QButtonGroup* brushes = AddStyleButtons(
        sTabLineAndSoOn, BrushButtons, 4, QPoint(6, 64), QSize(23, 22),
        [](std::size_t code) { return BrushStyleIcon(static_cast<TBrushStyle>(code)); });
    connect(pens, &QButtonGroup::idClicked, this, [this](int code) { SolidPenClick(code); });
    connect(brushes, &QButtonGroup::idClicked, this, [this](int code) { SolidBrushClick(code); });

    AddLabel(sTabLineAndSoOn, "边框粗细", 6, 126);
    PenSize = AddNumberBox(sTabLineAndSoOn, 0, 100, 1, QRect(60, 122, 48, 22));
}

void TToolsPanel::BuildArbitraryDegreesPage() {
    sTabArbitraryDegrees = AddPage("旋转角度");
    AddLabel(sTabArbitraryDegrees, "旋转角度", 6, 10);
    ArbitraryDegreesText = new TSpinEdit(-360, 360, 90, sTabArbitraryDegrees);
    ArbitraryDegreesText->setGeometry(6, 30, 100, 22);
    ArbitraryDegreesBtn = AddButton(sTabArbitraryDegrees, "确定", QRect(6, 62, 75, 25));
}

void TToolsPanel::BuildTranslationPage() {
    sTabTranslation = AddPage("平移量");
    AddLabel(sTabTranslation, "横轴", 6, 10);
    TransverseEdit = new TSpinEdit(INT_MIN, INT_MAX, 10, sTabTranslation);
    TransverseEdit->setGeometry(40, 6, 68, 22);
    AddLabel(sTabTranslation, "纵轴", 6, 40);
    LongitudinalAxisEdit = new TSpinEdit(INT_MIN, INT_MAX, 10, sTabTranslation);
    LongitudinalAxisEdit->setGeometry(40, 36, 68, 22);
    TranslationOKBtn = AddButton(sTabTranslation, "确定", QRect(6, 70, 75, 25));
}

void TToolsPanel::BuildTextToolPage() {
    sTabTextTool = AddPage("文字工具");
    TextEdit = new QLineEdit(QStringLiteral("请输入您想要的文字"), sTabTextTool);
    TextEdit->setGeometry(4, 6, 105, 22);
    TextEdit->installEventFilter(this);
    TextPropertiesBtn = AddButton(sTabTextTool, "文字属性", QRect(4, 34, 90, 25));
    connect(TextPropertiesBtn, &QPushButton::clicked, this, [this] { TextPropertiesBtnClick(); });
    TextLabel =
        new QLabel(QStringLiteral("在图像上点击鼠标，文字即会出现在鼠标的位置。"), sTabTextTool);
    TextLabel->setWordWrap(true);
    TextLabel->setGeometry(4, 66, 105, 90);
}

} // namespace zorvic
