#include "PanelPreview.h"

#include "EditorView.h"
#include "ErrorBoundary.h"
#include "PreviewPages.h"
#include "PreviewThumbnail.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

#include <algorithm>

namespace zorvic {

namespace {

constexpr int kBeforeLeft = 11, kAfterLeft = 195, kThumbnailTop = 20;
const QRect kPagePlace(17, 198, 280, 59);

QLabel* AddLabel(QWidget* parent, const char* text, const QRect& place,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(place);
    label->setAlignment(alignment);
    return label;
}

TPictureView* AddThumbnail(QWidget* parent, const char* name, int left) {
    auto* image = new TPictureView(parent);
    image->setObjectName(QString::fromLatin1(name));
    image->move(left, kThumbnailTop);
    return image;
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, const QRect& place) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    // Enter on a focused button presses that button rather than OK.
    button->setAutoDefault(true);
    return button;
}

} // namespace

std::array<int, kMaxEffectValues> TPanelPreview::TEffectPage::Positions() const {
    std::array<int, kMaxEffectValues> positions{};
    for (int i = 0; i < ValueCount; ++i)
        positions[i] = TrackBars[i]->value();
    return positions;
}

TPanelPreview::TPanelPreview(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PanelPreview"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    setGeometry(kLeft, kTop, kWidth, kHeight);

    // The captions stand over the thumbnails: a thumbnail 180 pixels high reaches the page
    // control, which leaves no room beneath it.
    LabelBeforeChange = AddLabel(this, "调整前", {kBeforeLeft, 3, kThumbnailSide, 15});
    LabelafterChange = AddLabel(this, "调整后", {kAfterLeft, 3, kThumbnailSide, 15});
    ImageBeforeChange = AddThumbnail(this, "ImageBeforeChange", kBeforeLeft);
    ImageafterChange = AddThumbnail(this, "ImageafterChange", kAfterLeft);

    sPagePreview = new QStackedWidget(this);
    sPagePreview->setObjectName(QStringLiteral("sPagePreview"));
    sPagePreview->setGeometry(kPagePlace);
    for (const TPreviewPageDesign& design : PreviewPageDesigns())
        BuildPage(pages_[static_cast<std::size_t>(design.Effect)], design);

    LabelPreview = AddLabel(this, "预览", {300, 200, 82, 16}, Qt::AlignCenter);
    LabelPreview->setObjectName(QStringLiteral("LabelPreview"));
    QFont bold = LabelPreview->font();
    bold.setBold(true);
    LabelPreview->setFont(bold);
    ParametersOKBtn = AddButton(this, "ParametersOKBtn", "确定", {304, 218, 75, 19});
    ParametersCancelBtn = AddButton(this, "ParametersCancelBtn", "取消", {304, 239, 75, 19});
}

void TPanelPreview::BuildPage(TEffectPage& page, const TPreviewPageDesign& design) {
    const TAdjustableEffectDefinition& effect = AdjustableEffect(design.Effect);
    page.Design = &design;
    page.ValueCount = effect.ValueCount;
    page.Tab = new QWidget;
    page.Tab->setObjectName(QString::fromLatin1(design.TabName));
    // The tabs are not shown; the caption still names the page for assistive tools.
    page.Tab->setAccessibleName(QString::fromUtf8(design.TabCaption));
    sPagePreview->addWidget(page.Tab);
    // One bar in the middle of the page, or RGB's three in rows.
    const int rowHeight = effect.ValueCount == 1 ? kPagePlace.height() : 19;
    const int firstRow = effect.ValueCount == 1 ? 0 : 1;
    for (int i = 0; i < effect.ValueCount; ++i) {
        const int top = firstRow + i * rowHeight;
        AddLabel(page.Tab, design.NameCaptions[i], {6, top, 30, rowHeight});
        auto* bar = new QSlider(Qt::Horizontal, page.Tab);
        bar->setObjectName(QString::fromLatin1(design.TrackBarNames[i]));
        bar->setGeometry(36, top, 198, rowHeight);
        bar->setRange(effect.Min, effect.Max);
        bar->setValue(effect.Opening);
        bar->setPageStep(std::max(1, (effect.Max - effect.Min) / 10));
        page.TrackBars[i] = bar;
        page.ValueLabels[i] =
            AddLabel(page.Tab, design.ValueDesignCaption, {238, top, 40, rowHeight},
                     Qt::AlignRight | Qt::AlignVCenter);
        page.ValueLabels[i]->setObjectName(QString::fromLatin1(design.ValueLabelNames[i]));
        // valueChanged fires only when the position really changes, as the opening relies on.
        connect(bar, &QSlider::valueChanged, this,
                Guarded([this, change = design.Change] { (this->*change)(); }));
    }
}

TPanelPreview::TEffectPage& TPanelPreview::Page(TAdjustableEffect effect) {
    return pages_[static_cast<std::size_t>(effect)];
}

const TPanelPreview::TEffectPage* TPanelPreview::PageNamed(const QString& name) const {
    for (const TPreviewPageDesign& design : PreviewPageDesigns())
        if (name == QString::fromUtf8(design.PreviewName))
            return &pages_[static_cast<std::size_t>(design.Effect)];
    return nullptr;
}

void TPanelPreview::MakePreviewImages(const TBitmap& picture) {
    if (picture.Empty()) return;
    const TBitmap thumbnail = MakeThumbnail(picture);
    ImageBeforeChange->SetPicture(thumbnail);
    ImageafterChange->SetPicture(thumbnail);
}

void TPanelPreview::Open(QSlider* trackBar) {
    QWidget* focused = QApplication::focusWidget();
    if (!isVisible() && !isAncestorOf(focused)) focusBeforeOpening_ = focused;
    raise();
    show();
    trackBar->setFocus();
}

void TPanelPreview::Close() {
    hide();
    if (focusBeforeOpening_ && focusBeforeOpening_->isVisible()) focusBeforeOpening_->setFocus();
}

void TPanelPreview::PreviewChange(TAdjustableEffect effect) {
    const TEffectPage& page = Page(effect);
    const std::array<int, kMaxEffectValues> positions = page.Positions();
    for (int i = 0; i < page.ValueCount; ++i)
        page.ValueLabels[i]->setText(ValueText(positions[i], page.Design->Text));
    TBitmap after;
    AdjustableEffect(effect).Preview(ImageBeforeChange->Picture(), after, positions);
    ImageafterChange->SetPicture(after);
}

void TPanelPreview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ParametersOKBtn->click();
        break;
    case Qt::Key_Escape:
        ParametersCancelBtn->click();
        break;
    default:
        QFrame::keyPressEvent(event);
    }
}

} // namespace zorvic
