// The settings file parser on arbitrary text: it either reads the text or refuses it with
// ERegistryFormatError, and whatever it reads is written back in a form that reads the same.
#include "RegistryFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    std::string written;
    try {
        written = zorvic::TRegistryFile::Parse("HKEY_LOCAL_MACHINE", content).Serialise();
    } catch (const zorvic::ERegistryFormatError&) {
        return 0;
    }
    // What the store writes it must read back as it was.
    std::string rewritten;
    try {
        rewritten = zorvic::TRegistryFile::Parse("HKEY_LOCAL_MACHINE", written).Serialise();
    } catch (const zorvic::ERegistryFormatError& error) {
        std::fprintf(stderr, "a written file does not read back: %s\n%s", error.what(),
                     written.c_str());
        std::abort();
    }
    if (rewritten != written) {
        std::fprintf(stderr, "a written file reads back differently:\n%s\n--- became ---\n%s",
                     written.c_str(), rewritten.c_str());
        std::abort();
    }
    return 0;
}
