#include "EditorStatusBar.h"

#include <QLabel>
#include <QProgressBar>

namespace zorvic {

namespace {

struct TPanelDesign {
    int Width;
    const char* Text;
};

constexpr std::array<TPanelDesign, TPicStatusBar::kPanelCount> kPanels{{
    {60, "宽高"},
    {210, "R： G： B："},
    {120, "坐标：xy"},
    {120, ""},
    {50, "Zorvic"},
}};

} // namespace

TPicStatusBar::TPicStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("PicStatusBar"));
    setSizeGripEnabled(false);
    setFixedHeight(kHeight);
    // Panels sit at fixed places, as the progress bar's place over panel 3 depends on them.
    int left = 0;
    for (int i = 0; i < kPanelCount; ++i) {
        auto* panel = new QLabel(QString::fromUtf8(kPanels[i].Text), this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setGeometry(left, 1, kPanels[i].Width, kHeight - 2);
        left += kPanels[i].Width;
        panels_[i] = panel;
    }
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(391, 1, 120, 17);
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
