#include "ToolsPanel.h"

#include "ColorSwatch.h"
#include "ToolsPanelIcons.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>

namespace zorvic {

namespace {

constexpr int kToolColumns[] = {6, 33, 59, 85};
constexpr int kToolRows[] = {16, 50, 80, 111};
constexpr QSize kToolSize{23, 22};

} // namespace

TSpinEdit::TSpinEdit(int minimum, int maximum, int value, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setValue(value);
}

TToolsPanel::TToolsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ToolsPanel"));
    setFixedWidth(kWidth);
    BuildColors();
    BuildTools();
    BuildPages();
    // The editor's menu shortcuts (Ctrl+Z, Ctrl+C, Ctrl+V, Ctrl+A...) win over the boxes here.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void TToolsPanel::BuildColors() {
    ColorPanel = new QWidget(this);
    ColorPanel->setGeometry(8, 6, 113, 67);
    // Made first so the foreground swatch, made after it, lies on top where they overlap.
    BackGroundColor = new TColorSwatch(clWhite, ColorPanel);
    BackGroundColor->setGeometry(55, 27, 35, 35);
    BackGroundColor->setToolTip(QStringLiteral("背景色"));
    ForeGroundColor = new TColorSwatch(clBlack, ColorPanel);
    ForeGroundColor->setGeometry(31, 9, 35, 35);
    ForeGroundColor->setToolTip(QStringLiteral("前景色"));
    ExchangeColorBtn = new QToolButton(ColorPanel);
    ExchangeColorBtn->setGeometry(72, 8, 16, 16);
    ExchangeColorBtn->setToolTip(QStringLiteral("交换颜色"));
    ExchangeColorBtn->setIcon(ExchangeColorsIcon());
    ExchangeColorBtn->setAutoRaise(true);

    connect(ForeGroundColor, &TColorSwatch::MouseDown, this,
            [this] { ForeGroundColorMouseDown(); });
    connect(BackGroundColor, &TColorSwatch::MouseDown, this,
            [this] { BackGroundColorMouseDown(); });
    connect(ExchangeColorBtn, &QToolButton::clicked, this, [this] { ExchangeColorBtnClick(); });
}

QToolButton* TToolsPanel::AddTool(const char* hint, int column, int row, TTool tool) {
    auto* button = new QToolButton(sPanelTools);
    button->setGeometry(QRect(QPoint(kToolColumns[column], kToolRows[row]), kToolSize));
    button->setCheckable(true);
    button->setAutoRaise(true);
    if (hint) button->setToolTip(QString::fromUtf8(hint));
    button->setIcon(ToolIcon(tool));
    toolGroup_->addButton(button, static_cast<int>(tool));
    return button;
}

void TToolsPanel::BuildTools() {
    sPanelTools = new QWidget(this);
    sPanelTools->setGeometry(8, 79, 113, 145);
    sPanelTools->setToolTip(QStringLiteral("工具箱"));
    // Not exclusive in Qt's sense, which would forbid raising the down button; ToolClicked keeps
    // at most one down.
    toolGroup_ = new QButtonGroup(this);
    toolGroup_->setExclusive(false);

    LineBtn = AddTool("直线工具", 0, 0, TTool::Line);
    RectangularBtn = AddTool("矩形工具", 1, 0, TTool::Rectangle);
    RoundedRectangularBtn = AddTool("圆角矩形工具", 2, 0, TTool::RoundedRectangle);
    OvalBtn = AddTool("椭圆工具", 3, 0, TTool::Oval);
    MagnifyingGlassBtn = AddTool("放大镜", 0, 1, TTool::MagnifyingGlass);
    ImageScalingBtn = AddTool("缩放工具", 1, 1, TTool::ImageScaling);
    FreeTransformBtn = AddTool("自由变换", 2, 1, TTool::FreeTransform);
    StrawBtn = AddTool("吸管工具", 3, 1, TTool::Straw);
    SprayGunBtn = AddTool("喷枪", 0, 2, TTool::SprayGun);
    TranslationBtn = AddTool("平移工具", 2, 2, TTool::Translation);
    TextToolBtn = AddTool("文字工具", 3, 2, TTool::TextTool);
    HandleBtn = AddTool("抓手工具", 0, 3, TTool::Handle);
    // Three places of the group's last row hold buttons without a tool, never shown.
    for (int column = 1; column < 4; ++column)
        AddTool(nullptr, column, 3, TTool::None)->hide();

    // The blur acts at once on the whole picture, so it is no tool that stays down; the editor
    // that holds the picture answers its click.
    FuzzyBtn = new QToolButton(sPanelTools);
    FuzzyBtn->setGeometry(QRect(QPoint(kToolColumns[1], kToolRows[2]), kToolSize));
    FuzzyBtn->setToolTip(QStringLiteral("模糊工具"));
    FuzzyBtn->setIcon(BlurToolIcon());
    FuzzyBtn->setAutoRaise(true);

    connect(toolGroup_, &QButtonGroup::buttonClicked, this,
            [this](QAbstractButton* button) { ToolClicked(button, button->isChecked()); });
    const std::pair<QToolButton*, void (TToolsPanel::*)()> handlers[] = {
        {LineBtn, &TToolsPanel::LineBtnClick},
        {RectangularBtn, &TToolsPanel::RectangularBtnClick},
        {RoundedRectangularBtn, &TToolsPanel::RoundedRectangularBtnClick},
        {OvalBtn, &TToolsPanel::OvalBtnClick},
        {MagnifyingGlassBtn, &TToolsPanel::MagnifyingGlassBtnClick},
        {ImageScalingBtn, &TToolsPanel::ImageScalingBtnClick},
        {FreeTransformBtn, &TToolsPanel::FreeTransformBtnClick},
        {SprayGunBtn, &TToolsPanel::SprayGunBtnClick},
        {TranslationBtn, &TToolsPanel::TranslationBtnClick},
        {TextToolBtn, &TToolsPanel::TextToolBtnClick},
    };
    for (const auto& [button, handler] : handlers)
        connect(button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
}

void TToolsPanel::ToolClicked(QAbstractButton* button, bool nowDown) {
    if (!nowDown) return; // the down tool was clicked again: it stays raised, no tool is current
    for (QAbstractButton* other : toolGroup_->buttons())
        if (other != button) other->setChecked(false);
}

TTool TToolsPanel::CurrentTool() const {
    for (QAbstractButton* button : toolGroup_->buttons())
        if (button->isChecked()) return static_cast<TTool>(toolGroup_->id(button));
    return TTool::None;
}

void TToolsPanel::SetShapeKind(std::uint8_t kind) {
    ShapeKind = kind;
    ShowPage(sTabLineAndSoOn);
}

void TToolsPanel::ShowPage(QWidget* page) {
    // Qt would carry the focus from a box of the old page into the new page's first box; the
    // keys go back to the window instead, and a box takes them only when the user clicks into it.
    QWidget* focus = QApplication::focusWidget();
    if (focus && AttributeToolbox->isAncestorOf(focus)) focus->clearFocus();
    AttributeToolbox->setCurrentWidget(page);
}

void TToolsPanel::LineBtnClick() {
    SetShapeKind(0);
}

void TToolsPanel::RectangularBtnClick() {
    SetShapeKind(1);
}

void TToolsPanel::RoundedRectangularBtnClick() {
    SetShapeKind(3);
}

void TToolsPanel::OvalBtnClick() {
    SetShapeKind(2);
}

void TToolsPanel::MagnifyingGlassBtnClick() {
    ShowPage(sTabMagnifyingGlass);
}

void TToolsPanel::ImageScalingBtnClick() {
    ShowPage(sTabImageScaling);
}

void TToolsPanel::FreeTransformBtnClick() {
    ShowPage(sTabArbitraryDegrees);
}

void TToolsPanel::SprayGunBtnClick() {
    ShowPage(sTabSprayGun);
}

void TToolsPanel::TranslationBtnClick() {
    ShowPage(sTabTranslation);
}

void TToolsPanel::TextToolBtnClick() {
    ShowPage(sTabTextTool);
}

void TToolsPanel::ApplyToCanvas(const std::function<void(TCanvas&)>& change) {
    if (canvas_) change(canvas_());
}

std::optional<TColor> TToolsPanel::ChooseColor() {
    const std::optional<TColor> chosen = chooseColor_(this, lastDialogColor_);
    if (chosen) lastDialogColor_ = *chosen;
    return chosen;
}

void TToolsPanel::ForeGroundColorMouseDown() {
    const std::optional<TColor> chosen = ChooseColor();
    if (!chosen) return;
    ForeGroundColor->SetColor(*chosen);
    ApplyToCanvas([&](TCanvas& canvas) { canvas.Pen.Color = *chosen; });
}

void TToolsPanel::BackGroundColorMouseDown() {
    const std::optional<TColor> chosen = ChooseColor();
    if (!chosen) return;
    BackGroundColor->SetColor(*chosen);
    ApplyToCanvas([&](TCanvas& canvas) { canvas.Brush.Color = *chosen; });
}

void TToolsPanel::ExchangeColorBtnClick() {
    // Only the swatches: what is drawn next keeps the canvas colours.
    const TColor front = ForeGroundColor->Color();
    ForeGroundColor->SetColor(BackGroundColor->Color());
    BackGroundColor->SetColor(front);
}

void TToolsPanel::SolidPenClick(int penStyleCode) {
    ApplyToCanvas(
        [&](TCanvas& canvas) { canvas.Pen.Style = static_cast<TPenStyle>(penStyleCode); });
}

void TToolsPanel::SolidBrushClick(int brushStyleCode) {
    ApplyToCanvas(
        [&](TCanvas& canvas) { canvas.Brush.Style = static_cast<TBrushStyle>(brushStyleCode); });
}

void TToolsPanel::TextPropertiesBtnClick() {
    const std::optional<TFont> chosen = chooseFont_(this, lastDialogFont_);
    if (!chosen) return;
    lastDialogFont_ = *chosen;
    ApplyToCanvas([&](TCanvas& canvas) { canvas.Font = *chosen; });
}

void TToolsPanel::TextEditEnter() {
    // Only the prompt goes, on the first visit: what the user typed stays when the window is
    // activated again or a dialog gives the focus back.
    if (!textPromptShown_) return;
    textPromptShown_ = false;
    TextEdit->clear();
}

bool TToolsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TextEdit && event->type() == QEvent::FocusIn) TextEditEnter();
    // A box would claim its editing keys before the window's shortcuts are tried; it still gets
    // every key that is no shortcut.
    if (event->type() == QEvent::ShortcutOverride) {
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorvic
