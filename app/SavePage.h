#pragma once
#include "OptionControls.h"

#include <QWidget>

namespace zorvic {

// The Save page ("存储"): how captures are named, where and in which format they are saved.
// The editor reads these controls live; OK only stores them.
class TSavePage : public QWidget, public TSaveControls {
    Q_OBJECT
public:
    explicit TSavePage(QWidget* parent = nullptr);

    void JpgCompTrackBarChange();
    // The template never stays empty.
    void FNameTempChange();
    void SaveDirBtnClick();
    void SaveOKBtnClick();
};

} // namespace zorvic
