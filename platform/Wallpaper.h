#pragma once
#include <string>

namespace zorvic {

class Wallpaper {
public:
    virtual ~Wallpaper() = default;
    // Makes the BMP file the desktop background, stretched to the screen.
    virtual void SetDesktopWallpaper(const std::string& bmpPath) = 0;
};

// Where the wallpaper copy is kept: $XDG_DATA_HOME/zorvic/wallpaper, by default
// ~/.local/share/zorvic/wallpaper. Not created here.
std::string WallpaperDirectory();

} // namespace zorvic
