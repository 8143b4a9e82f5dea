#pragma once
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace zorvic {

// libjpeg's own error handler ends the process. With this trap installed as a coder's error
// manager (error_exit = JumpOutOfLibjpeg), an error jumps back to the setjmp on `jump` instead,
// with libjpeg's text in `message`.
struct TJpegErrorTrap {
    jpeg_error_mgr manager; // first, so libjpeg's pointer to it is a pointer to the trap
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOutOfLibjpeg(j_common_ptr info);

} // namespace zorvic
