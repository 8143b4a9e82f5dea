#pragma once
#include "PixelHelpers.h"

#include <QStatusBar>

#include <array>

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

// Lets a pixel routine drive the progress bar row by row.
class TProgressBarDriver : public TProgress {
public:
    explicit TProgressBarDriver(QProgressBar& bar) : bar_(bar) {}
    void SetMax(int maximum) override;
    void SetPosition(int position) override;

private:
    QProgressBar& bar_;
};

} // namespace zorvic
