#pragma once
#include "PixelHelpers.h"

#include <QStatusBar>

#include <array>
#include <chrono>

class QLabel;
class QProgressBar;

namespace zorvic {

// The editor's status bar: five fixed-width panels and a progress bar lying over panel 3.
class TPicStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kHeight = 19;
    static constexpr int kPanelCount = 5;

    explicit TPicStatusBar(QWidget* parent = nullptr);

    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;
    QLabel* Panel(int panel) const { return panels_[panel]; }

    QProgressBar* ProgressBar = nullptr;

private:
    std::array<QLabel*, kPanelCount> panels_{};
};

// Lets a pixel routine drive the progress bar row by row. The bar paints itself at once on
// every change it can show; more than one paint a frame is lost on the eye and would cost the
// quick effects more than their own work, so the rows in between are passed over. The last row
// always shows.
class TProgressBarDriver : public TProgress {
public:
    explicit TProgressBarDriver(QProgressBar& bar) : bar_(bar) {}
    void SetMax(int maximum) override;
    void SetPosition(int position) override;

private:
    QProgressBar& bar_;
    std::chrono::steady_clock::time_point lastShown_{};
};

} // namespace zorvic
