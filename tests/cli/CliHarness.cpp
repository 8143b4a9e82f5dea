#include "CliHarness.h"

#include "Commands.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>

extern char** environ;

namespace zorvic::test {

using testing::Quoted;
using testing::Run;

namespace {

void PutLe(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

std::vector<std::uint8_t> BmpBytes(int width, int height, const PixelFunction& pixel) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> bytes(54 + static_cast<std::size_t>(stride) * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    PutLe(bytes, 10, 54, 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, static_cast<std::uint32_t>(width), 4);
    PutLe(bytes, 22, static_cast<std::uint32_t>(height), 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, 24, 2);
    PutLe(bytes, 34, static_cast<std::uint32_t>(stride * height), 4);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bytes.data() + 54 + static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            row[3 * x] = static_cast<std::uint8_t>(c.b);
            row[3 * x + 1] = static_cast<std::uint8_t>(c.g);
            row[3 * x + 2] = static_cast<std::uint8_t>(c.r);
        }
    }
    return bytes;
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Rgb TestPattern(int x, int y) {
    return {(x * 37 + y * 11) % 256, (y * 53 + x * 3) % 256, (x * y * 7 + 19) % 256};
}

void WritePatternBmp(const fs::path& path, int width, int height) {
    WriteFile(path, BmpBytes(width, height, TestPattern));
}

CliResult RunCli(const std::vector<std::string>& arguments,
                 const std::optional<std::string>& display) {
    TTempDir streams;
    const fs::path outPath = streams / "stdout";
    const fs::path errPath = streams / "stderr";
    // Built before the fork: the child only executes.
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable)
        if (!display || !std::string_view(*variable).starts_with("DISPLAY="))
            environment.emplace_back(*variable);
    if (display && !display->empty()) environment.push_back("DISPLAY=" + *display);
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        dup2(open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(ZORVIC_CLI_PATH)};
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execve(ZORVIC_CLI_PATH, argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::ReadText(outPath),
            testing::ReadText(errPath)};
}

void ExpectFailure(const CliResult& result, int status, const std::string& needle) {
    EXPECT_EQ(result.status, status) << result.err;
    EXPECT_TRUE(result.err.starts_with("zorvic-cli: ")) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_TRUE(result.err.ends_with("\n")) << result.err;
    EXPECT_NE(result.err.find(needle), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
}

std::string Identify(const fs::path& path, const std::string& format) {
    // Warnings (such as a TIFF tag without a closing zero) go to stderr and are not the answer.
    return testing::Identify(format, path.string());
}

long DifferingPixels(const fs::path& a, const fs::path& b) {
    // compare prints the count on stderr, and fails outright on a size mismatch.
    const std::string text =
        Run("compare -quiet -metric AE " + Quoted(a.string()) + " " + Quoted(b.string()) + " null:")
            .output;
    try {
        std::size_t used = 0;
        const long count = std::stol(text, &used);
        return used == text.size() ? count : -1;
    } catch (const std::exception&) {
        return -1;
    }
}

void MagickConvert(const fs::path& input, const std::string& operators, const fs::path& output) {
    Run("convert " + Quoted(input.string()) + " " + operators + " " + Quoted(output.string()));
}

Rgb PixelAt(const fs::path& path, int x, int y) {
    const std::string crop =
        std::to_string(1) + "x1+" + std::to_string(x) + "+" + std::to_string(y);
    const std::string raw =
        Run("convert " + Quoted(path.string()) + " -crop " + crop + " +repage -depth 8 rgb:-",
            false)
            .output;
    if (raw.size() != 3) return {-1, -1, -1};
    const auto byte = [&](int i) { return static_cast<int>(static_cast<unsigned char>(raw[i])); };
    return {byte(0), byte(1), byte(2)};
}

} // namespace zorvic::test
