#pragma once
#include "TBitmap.h"

#include <string>

namespace zorvic {

// Indices of the editor's format list (the options page's radio group). The numbers are stored in
// the settings, so a new format only ever comes at the end.
enum TPictureFormat : int {
    kFormatBmp = 0,
    kFormatJpg = 1,
    kFormatGif = 2,
    kFormatTif = 3,
    kFormatPng = 4,
    kLastFormat = kFormatPng
};

// ".bmp", ".jpg", ".gif", ".tif" or ".png"; "" for an index outside the list.
const char* ExtensionOfFormat(int formatIndex);

// Every writer below goes through a temporary file renamed over the target when complete, so a
// failure never leaves a partial target nor harms an existing file of that name. Errors throw
// EZorvicError (EFileError "Cannot create file "<target>". <reason>" when the file cannot be
// created).
void SaveAsJpg(const TBitmap& bitmap, const std::string& target, int quality);
void SaveAsGif(const TBitmap& bitmap, const std::string& target);
void SaveAsPng(const TBitmap& bitmap, const std::string& target);

// Writes the picture in the format of the list: BMP by the bitmap itself, JPEG with
// `jpegQuality`, GIF, TIFF, PNG. An index outside the list throws EZorvicError.
void SavePicture(const TBitmap& bitmap, const std::string& path, int formatIndex, int jpegQuality);

// The camera's conversions of a BMP file. A missing BMP file is no error: nothing is created or
// deleted. Otherwise the BMP is loaded, the target written, and the BMP deleted only after both
// succeeded. Converting a file onto itself throws before anything is written.
void ConvertBmpToJpg(const std::string& bmp, const std::string& target, int quality);
void ConvertBmpToGif(const std::string& bmp, const std::string& target);
void ConvertBmpToTif(const std::string& bmp, const std::string& target);

// Dispatches by format index: the others convert as above; BMP leaves the file in place when the
// target is that file, and otherwise rewrites it under the target's name as the others do.
void ConvertBmpToFormat(const std::string& bmp, const std::string& target, int formatIndex,
                        int jpegQuality);

} // namespace zorvic
