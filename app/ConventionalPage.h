#pragma once
#include "OptionControls.h"

#include <QWidget>

namespace zorvic {

// The General page ("常规"): capture sound, cursor, delay, hiding and the fixed region's size.
class TConventionalPage : public QWidget, public TConventionalControls {
    Q_OBJECT
public:
    // `fixedWidth` and `fixedHeight` are the size the fixed-region pick uses; OK updates them.
    TConventionalPage(int& fixedWidth, int& fixedHeight, QWidget* parent = nullptr);

    // Only digits and Enter may be typed; any other character, Backspace too, becomes null.
    void DelayTimeCapKeyPress(QChar& key);
    // Keeps the delay within 1 .. 60 seconds; an empty field throws the conversion error.
    void DelayTimeCapChange();
    void WidthValueChange();
    void HeightValueChange();
    void ConventionalOKBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int& fixedWidth_;
    int& fixedHeight_;
};

} // namespace zorvic
