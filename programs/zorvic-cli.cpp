#include "Cli.h"

int main(int argc, char** argv) {
    return zorvic::RunCli(argc, argv);
}
