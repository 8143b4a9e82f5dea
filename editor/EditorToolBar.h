#pragma once
#include <QIcon>

class QMainWindow;
class QToolBar;
class QToolButton;
class QWidget;

namespace zorvic {

// The editor's tool bar and its buttons, left to right.
struct TEditorToolBar {
    static constexpr int kHeight = 62;

    QToolBar* SaveToolBar = nullptr;
    QToolButton* SaveToolButton = nullptr;
    QToolButton* CancelToolButton = nullptr;
    QWidget* divisionToolBtn1 = nullptr;
    QToolButton* SaveASToolButton = nullptr;
    QToolButton* ClipboardToolButton = nullptr;
    QWidget* divisionToolBtn2 = nullptr;
    QToolButton* Degrees90ToolButton = nullptr;
    QToolButton* LevelFilpToolButton = nullptr;
    QToolButton* VerticalFilpToolButton = nullptr;
    QWidget* divisionToolBtn3 = nullptr;
    QToolButton* EnlargeToolButton = nullptr;
    QToolButton* NarrowToolButton = nullptr;
    QToolButton* ActualSizeToolButton = nullptr;

    // Shows or hides the captions under the icons.
    void ShowCaptions(bool on);
};

// Builds the tool bar at the top of the window; the caller connects the buttons.
TEditorToolBar BuildEditorToolBar(QMainWindow& window);

// The drawn 32 x 32 icons of the tool bar's buttons.
enum class TToolBarIcon {
    Save,
    Cancel,
    SaveAs,
    Clipboard,
    Turn90,
    FlipHorizontal,
    FlipVertical,
    Enlarge,
    Reduce,
    ActualSize
};
QIcon ToolBarIcon(TToolBarIcon icon);

} // namespace zorvic
