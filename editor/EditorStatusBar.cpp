#include "EditorStatusBar.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace zorvic {

namespace {

struct TPanelDesign {
    int Width;
    const char* Text;
    const char* Widest = ""; // the longest text the panel must show whole, whatever the font
};

constexpr std::array<TPanelDesign, TPicStatusBar::kPanelCount> kPanels{{
    {60, "宽高", "99999*99999"},
    {210, "R： G： B："},
    {120, "坐标：xy"},
    {120, ""},
    {50, "Zorvic"},
}};

// The width at which the label shows `text` without cutting it, in the label's own font.
int WidthToShowWhole(QLabel* label, const char* text) {
    label->setText(QString::fromUtf8(text));
    return label->sizeHint().width();
}

} // namespace

TPicStatusBar::TPicStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("PicStatusBar"));
    setSizeGripEnabled(false);
    setFixedHeight(kHeight);
    // Panels sit at fixed places, as the progress bar's place over panel 3 depends on them.
    int left = 0;
    for (int i = 0; i < kPanelCount; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        const int width = std::max(kPanels[i].Width, WidthToShowWhole(panel, kPanels[i].Widest));
        panel->setText(QString::fromUtf8(kPanels[i].Text));
        panel->setGeometry(left, 1, width, kHeight - 2);
        left += width;
        panels_[i] = panel;
    }
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(panels_[3]->x() + 1, 1, 120, 17);
    ProgressBar->setTextVisible(false);
    ProgressBar->hide();
}

void TPicStatusBar::SetPanelText(int panel, const QString& text) {
    panels_[panel]->setText(text);
}

QString TPicStatusBar::PanelText(int panel) const {
    return panels_[panel]->text();
}

void TProgressBarDriver::SetMax(int maximum) {
    bar_.setMinimum(0);
    bar_.setMaximum(maximum);
}

void TProgressBarDriver::SetPosition(int position) {
    constexpr std::chrono::milliseconds kFrame(20);
    const auto now = std::chrono::steady_clock::now();
    if (position < bar_.maximum() && now - lastShown_ < kFrame) return;
    lastShown_ = now;
    bar_.setValue(position);
}

} // namespace zorvic
