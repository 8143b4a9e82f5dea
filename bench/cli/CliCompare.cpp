// Times whole commands, the two sides of each comparison in turns, with the peak memory of each
// from wait4's rusage: zorvic-cli beside the tools a user would otherwise run on the same
// 3840x2160 BMP (and beside cp of it, the floor of any command that reads and writes it); PNG
// writing beside ImageMagick's on a 1920x1080 screenshot and that photo, file sizes included;
// and the sizes of JPEG files of a nearly empty screen and of that screenshot beside
// ImageMagick's at the same quality.
//
//   bench_cli_compare [--runs N] [--folder DIR] [--zorvic PATH] [--convert PATH]
#include "ScreenPictures.h"
#include "SyntheticPhoto.h"
#include "SyntheticScreenshot.h"

#include <QGuiApplication>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace zorvic::bench {
namespace {

namespace fs = std::filesystem;

struct Options {
    int runs = 5;
    fs::path folder;
    std::string zorvic = ZORVIC_CLI_PATH;
    // The real binary, not a wrapper script on PATH, so its start-up is not inflated.
    std::string convert = fs::exists("/usr/bin/convert") ? "/usr/bin/convert" : "convert";
};

struct Command {
    std::vector<std::string> argv;
    std::string stdoutPath; // empty: inherit
    // convert deletes its input, so each run gets a fresh hard link to the photo.
    bool consumesInput = false;
};

struct Timing {
    double milliseconds = 0;
    long peakKilobytes = 0;
};

// Of several runs of one command.
struct Timings {
    double median = 0;
    double best = 0;
    long peakKilobytes = 0;
};

// The command as a reader would type it: programs and files by their base names.
std::string Join(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty()) text += ' ';
        text += fs::path(word).filename().string();
    }
    return text;
}

std::optional<Timing> RunOnce(const Command& command, const fs::path& photo) {
    if (command.consumesInput) {
        std::error_code ignored;
        fs::remove(command.argv[2], ignored);
        fs::create_hard_link(photo, command.argv[2]);
    }
    std::vector<char*> argv;
    for (const std::string& word : command.argv)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (!command.stdoutPath.empty())
            dup2(open(command.stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "failed: %s\n", Join(command.argv).c_str());
        return std::nullopt;
    }
    return Timing{std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

Timings Summarise(std::vector<Timing> runs) {
    std::sort(runs.begin(), runs.end(),
              [](const Timing& a, const Timing& b) { return a.milliseconds < b.milliseconds; });
    const std::size_t middle = runs.size() / 2;
    Timings summary;
    summary.median = runs.size() % 2
                         ? runs[middle].milliseconds
                         : (runs[middle - 1].milliseconds + runs[middle].milliseconds) / 2;
    summary.best = runs.front().milliseconds;
    for (const Timing& run : runs)
        summary.peakKilobytes = std::max(summary.peakKilobytes, run.peakKilobytes);
    return summary;
}

// One warm-up run of each, then `runs` rounds of a run of each, in turns (which goes first
// alternates), so that both meet the same load on the machine.
std::optional<std::pair<Timings, Timings>> SideBySide(const Command& ours, const Command& theirs,
                                                      const fs::path& photo, int runs) {
    std::vector<Timing> ourRuns, theirRuns;
    for (int round = 0; round <= runs; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool oursNow = (turn == 0) == (round % 2 == 0);
            const std::optional<Timing> timing = RunOnce(oursNow ? ours : theirs, photo);
            if (!timing) return std::nullopt;
            if (round > 0) (oursNow ? ourRuns : theirRuns).push_back(*timing);
        }
    }
    return std::pair{Summarise(ourRuns), Summarise(theirRuns)};
}

struct Case {
    std::string name;
    Command ours;
    Command theirs;
    double targetSpeedup; // ours must be this many times faster; below 1: allowed to be slower
};

std::vector<Case> MakeCases(const Options& o, const fs::path& photo) {
    const std::string in = photo.string();
    const std::string link = (o.folder / "frame.bmp").string();
    const auto out = [&](const std::string& name) { return (o.folder / name).string(); };
    const auto apply = [&](std::vector<std::string> ops, const std::string& target = "ours.bmp") {
        std::vector<std::string> argv{o.zorvic, "apply", in, out(target)};
        argv.insert(argv.end(), ops.begin(), ops.end());
        return Command{argv, "", false};
    };
    const auto magick = [&](std::vector<std::string> operators,
                            const std::string& target = "theirs.bmp") {
        std::vector<std::string> argv{o.convert, in};
        argv.insert(argv.end(), operators.begin(), operators.end());
        argv.push_back(out(target));
        return Command{argv, "", false};
    };
    const auto convertTo = [&](const std::string& target) {
        return Command{{o.zorvic, "convert", link, out(target), "--quality", "80"}, "", true};
    };
    return {
        {"rotate90", apply({"rotate90"}), magick({"-rotate", "90"}), 1.5},
        {"four turns", apply({"rotate90", "rotate90", "rotate90", "rotate90"}),
         magick({"-rotate", "90", "-rotate", "90", "-rotate", "90", "-rotate", "90"}), 3},
        {"invert", apply({"invert"}), magick({"-negate"}), 1.5},
        {"grey", apply({"grey"}), magick({"-colorspace", "Gray"}), 1.5},
        {"saturation", apply({"saturation=384"}), magick({"-modulate", "100,150"}), 3},
        {"blur", apply({"blur"}),
         magick({"-define", "convolve:scale=0.0625", "-convolve", "2,2,2,2,0,2,2,2,2"}), 3},
        {"sharpen", apply({"sharpen=100"}), magick({"-sharpen", "0x1"}), 3},
        {"twist", apply({"twist"}), magick({"-swirl", "90"}), 3},
        {"wave", apply({"wave"}), magick({"-wave", "2,12"}), 3},
        // The floor: reading and writing the 25 MB file as cp does, around 2 ms of pixel work.
        {"invert (vs cp)", apply({"invert"}), Command{{"cp", in, out("theirs.bmp")}, "", false},
         1 / 1.5},
        {"grey (vs cp)", apply({"grey"}), Command{{"cp", in, out("theirs.bmp")}, "", false},
         1 / 1.5},
        {"brightness (vs cp)", apply({"brightness=40"}),
         Command{{"cp", in, out("theirs.bmp")}, "", false}, 1 / 1.5},
        // With fitted Huffman tables cjpeg writes the file zorvic-cli writes, byte for byte but
        // the pixel density it takes from the BMP.
        {"JPEG q80 (vs cjpeg)", convertTo("ours.jpg"),
         Command{{"cjpeg", "-quality", "80", "-optimize", in}, out("theirs.jpg"), false}, 1 / 1.2},
        {"JPEG q80 (vs convert)", convertTo("ours.jpg"), magick({"-quality", "80"}, "theirs.jpg"),
         1.5},
        {"GIF", convertTo("ours.gif"),
         magick({"-colors", "256", "-dither", "FloydSteinberg"}, "theirs.gif"), 3},
        {"TIFF", convertTo("ours.tif"), magick({}, "theirs.tif"), 1.5},
    };
}

// ImageMagick's PSNR of a file against the picture, in dB; 0 when it cannot tell.
double Psnr(const Options& options, const fs::path& picture, const fs::path& file) {
    const fs::path compare = fs::path(options.convert).parent_path() / "compare";
    const std::string command = (fs::exists(compare) ? compare.string() : "compare") +
                                " -metric PSNR '" + picture.string() + "' '" + file.string() +
                                "' null: 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    double decibels = 0;
    if (!pipe || std::fscanf(pipe, "%lf", &decibels) != 1) decibels = 0;
    if (pipe) pclose(pipe);
    return decibels;
}

// JPEG at quality 80 of a nearly empty screen and of the busy screenshot: our file's size beside
// ImageMagick's, with the quality each keeps. Prints the table; returns how many targets were
// missed.
int CompareJpegSizes(const Options& options, const fs::path& screenshot) {
    constexpr double kMostSizeRatio = 1.05;
    std::printf("\n| JPEG q80, 1920x1080 | zorvic-cli bytes | PSNR dB | convert bytes | PSNR dB | "
                "size | target | met |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---|\n");
    int missed = 0;
    const fs::path empty = options.folder / "empty-screen.bmp";
    MakeNearlyEmptyScreen().SaveToFile(empty.string());
    for (const auto& [name, screen] :
         {std::pair{"nearly empty screen", empty}, std::pair{"busy screenshot", screenshot}}) {
        const fs::path ours = options.folder / "ours.jpg";
        const fs::path theirs = options.folder / "theirs.jpg";
        const Command ourCommand{{options.zorvic, "convert",
                                  (options.folder / "frame.bmp").string(), ours.string(),
                                  "--quality", "80"},
                                 "",
                                 true};
        const Command theirCommand{
            {options.convert, screen.string(), "-quality", "80", theirs.string()}, "", false};
        if (!RunOnce(ourCommand, screen) || !RunOnce(theirCommand, screen)) {
            std::printf("| %s | failed | | | | | | |\n", name);
            ++missed;
            continue;
        }
        const auto ourBytes = fs::file_size(ours);
        const auto theirBytes = fs::file_size(theirs);
        const double ratio = static_cast<double>(ourBytes) / static_cast<double>(theirBytes);
        const bool met = ratio <= kMostSizeRatio;
        missed += met ? 0 : 1;
        std::printf("| %s | %ju | %.2f | %ju | %.2f | %.3fx | %.2fx | %s |\n", name,
                    static_cast<std::uintmax_t>(ourBytes), Psnr(options, screen, ours),
                    static_cast<std::uintmax_t>(theirBytes), Psnr(options, screen, theirs), ratio,
                    kMostSizeRatio, met ? "yes" : "no");
        std::fflush(stdout);
    }
    return missed;
}

// PNG writing, judged on the file's size too: no more than `maxSizeRatio` times ImageMagick's.
struct PngCase {
    Case timing;
    fs::path ourFile;
    fs::path theirFile;
    double maxSizeRatio;
};

std::vector<PngCase> MakePngCases(const Options& o, const fs::path& screenshot,
                                  const fs::path& photo) {
    std::vector<PngCase> cases;
    for (const auto& [name, input, speedup] :
         {std::tuple{"PNG, 1920x1080 screenshot", screenshot, 3.0},
          std::tuple{"PNG, 3840x2160 photo", photo, 2.0}}) {
        const fs::path ours = o.folder / "ours.png";
        const fs::path theirs = o.folder / "theirs.png";
        cases.push_back(
            {{name, Command{{o.zorvic, "apply", input.string(), ours.string()}, "", false},
              Command{{o.convert, input.string(), theirs.string()}, "", false}, speedup},
             ours,
             theirs,
             1.1});
    }
    return cases;
}

// Prints the PNG table; returns how many targets were missed.
int ComparePng(const Options& options, const fs::path& screenshot, const fs::path& photo) {
    std::printf(
        "\n| work | zorvic-cli ms | bytes | convert ms | bytes | speed-up (medians) | size | "
        "targets | met |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---|---|\n");
    int missed = 0;
    for (const PngCase& c : MakePngCases(options, screenshot, photo)) {
        const auto timings = SideBySide(c.timing.ours, c.timing.theirs, photo, options.runs);
        if (!timings) {
            std::printf("| %s | failed | | | | | | | |\n", c.timing.name.c_str());
            ++missed;
            continue;
        }
        const auto& [ours, theirs] = *timings;
        const auto ourBytes = fs::file_size(c.ourFile);
        const auto theirBytes = fs::file_size(c.theirFile);
        const double speedup = theirs.median / ours.median;
        const double size = static_cast<double>(ourBytes) / static_cast<double>(theirBytes);
        const bool met = speedup >= c.timing.targetSpeedup && size <= c.maxSizeRatio;
        missed += met ? 0 : 1;
        std::printf("| %s | %.1f (%.1f) | %ju | %.1f (%.1f) | %ju | %.2fx | %.2fx | %.0fx faster, "
                    "%.1fx size | %s |\n",
                    c.timing.name.c_str(), ours.median, ours.best,
                    static_cast<std::uintmax_t>(ourBytes), theirs.median, theirs.best,
                    static_cast<std::uintmax_t>(theirBytes), speedup, size, c.timing.targetSpeedup,
                    c.maxSizeRatio, met ? "yes" : "no");
        std::fflush(stdout);
    }
    return missed;
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (value && name == "--runs")
            options.runs = std::max(1, std::atoi(value));
        else if (value && name == "--folder")
            options.folder = value;
        else if (value && name == "--zorvic")
            options.zorvic = value;
        else if (value && name == "--convert")
            options.convert = value;
        else
            throw std::invalid_argument(
                "usage: bench_cli_compare [--runs N] [--folder DIR] [--zorvic PATH] "
                "[--convert PATH]");
    }
    if (options.folder.empty()) {
        // Memory-backed when possible: the comparison is about computing, not the disk.
        const fs::path base =
            fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        options.folder = base / ("zorvic-bench-" + std::to_string(getpid()));
    }
    return options;
}

} // namespace
} // namespace zorvic::bench

int main(int argc, char** argv) {
    using namespace zorvic::bench;
    // The screenshot's windows and text are drawn by Qt, without a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    Options options;
    try {
        options = ParseOptions(argc, argv);
    } catch (const std::invalid_argument& usage) {
        std::fprintf(stderr, "%s\n", usage.what());
        return 2;
    }
    fs::create_directories(options.folder);
    const fs::path photo = options.folder / "photo.bmp";
    MakeSyntheticPhoto().SaveToFile(photo.string());
    const fs::path screenshot = options.folder / "screenshot.bmp";
    MakeSyntheticScreenshot().SaveToFile(screenshot.string());

    std::printf("%d x %d 24-bit BMP, %d runs of each side in turns: median (best) wall time, in "
                "%s\n\n",
                kPhotoWidth, kPhotoHeight, options.runs, options.folder.c_str());
    std::printf("| work | zorvic-cli ms | peak MB | other command | other ms | other peak MB | "
                "speed-up (medians) | target | met |\n");
    std::printf("|---|---:|---:|---|---:|---:|---:|---:|---|\n");
    int missed = 0;
    for (const Case& c : MakeCases(options, photo)) {
        const auto timings = SideBySide(c.ours, c.theirs, photo, options.runs);
        if (!timings) {
            std::printf("| %s | failed | | | | | | | |\n", c.name.c_str());
            ++missed;
            continue;
        }
        const auto& [ours, theirs] = *timings;
        const double speedup = theirs.median / ours.median;
        const bool met = speedup >= c.targetSpeedup;
        missed += met ? 0 : 1;
        std::printf(
            "| %s | %.1f (%.1f) | %.0f | `%s` | %.1f (%.1f) | %.0f | %.2fx | %.2fx | %s |\n",
            c.name.c_str(), ours.median, ours.best, ours.peakKilobytes / 1024.0,
            Join(c.theirs.argv).c_str(), theirs.median, theirs.best, theirs.peakKilobytes / 1024.0,
            speedup, c.targetSpeedup, met ? "yes" : "no");
        std::fflush(stdout);
    }
    missed += ComparePng(options, screenshot, photo);
    missed += CompareJpegSizes(options, screenshot);
    fs::remove_all(options.folder);
    return missed == 0 ? 0 : 1;
}
