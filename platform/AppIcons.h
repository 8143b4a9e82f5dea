#pragma once
#include <QIcon>
#include <QPixmap>

namespace zorvic {

// The 32 x 32 images of the main window's left panel, in the order of its buttons.
enum class TPanelImage {
    ActiveWindow = 0,
    FullScreen = 1,
    Region = 2,
    FixRegion = 3,
    Control = 4,
    Camera = 5,
    Capture = 6
};

// The 16 x 16 images of the main menu's items.
enum class TMenuImage { StartCapture = 0, Quit = 1, About = 8, Mail = 9 };

// Drawn at run time, so the program ships no image files.
QPixmap PanelImage(TPanelImage image);
QPixmap MenuImage(TMenuImage image);
QIcon ProgramIcon();

} // namespace zorvic
