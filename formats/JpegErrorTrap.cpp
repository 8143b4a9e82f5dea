#include "JpegErrorTrap.h"

namespace zorvic {

void JumpOutOfLibjpeg(j_common_ptr info) {
    auto* trap = reinterpret_cast<TJpegErrorTrap*>(info->err);
    (*info->err->format_message)(info, trap->message);
    std::longjmp(trap->jump, 1);
}

} // namespace zorvic
