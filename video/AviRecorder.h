#pragma once
#include "VideoFrame.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zorvic {

// An AVI file of Motion-JPEG pictures, written frame by frame. Finish() completes the index and
// puts the true frame count into the headers; a file that is not finished (the program killed)
// says it holds no frames.
class TAviRecorder {
public:
    // Creates the file for pictures of the given size at `rateNumerator`/`rateDenominator`
    // frames a second. Throws EFileError "Cannot create file "<path>". <reason>".
    TAviRecorder(const std::string& path, int width, int height, int rateNumerator,
                 int rateDenominator);
    // Finishes the file if that was not done.
    ~TAviRecorder();
    TAviRecorder(const TAviRecorder&) = delete;
    TAviRecorder& operator=(const TAviRecorder&) = delete;

    // Appends one picture, scaled if its size differs. Throws EFileError "Cannot write file ...".
    void Write(const TVideoFrame& frame);
    // Throws EFileError when the end of the file cannot be written.
    void Finish();
    std::int64_t FramesWritten() const;
    const std::string& Path() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

} // namespace zorvic
