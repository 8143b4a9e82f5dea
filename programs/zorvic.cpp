#include "ZorvicProgram.h"

int main(int argc, char** argv) {
    return zorvic::RunZorvic(argc, argv);
}
