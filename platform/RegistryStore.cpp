#include "RegistryStore.h"

#include "AtomicFile.h"
#include "Autostart.h"
#include "ConfigPaths.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iostream>
#include <set>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace zorvic {

namespace {

constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kDesktopKey = "Control Panel\\Desktop";

TSettingsProblemReporter& Reporter() {
    static TSettingsProblemReporter reporter;
    return reporter;
}

std::vector<std::string>& PendingReports() {
    static std::vector<std::string> pending;
    return pending;
}

void ReportProblem(const std::string& problem) {
    PendingReports().push_back(problem);
}

// Delivers the problems met during one store call once its lock is released: the reporter may
// show a message box, and other running copies must not wait for the user to close it.
class TReportsAfterUnlock {
public:
    TReportsAfterUnlock() = default;
    ~TReportsAfterUnlock() {
        std::vector<std::string> problems;
        problems.swap(PendingReports());
        for (const std::string& problem : problems) {
            try {
                if (Reporter())
                    Reporter()(problem);
                else
                    std::cerr << "zorvic: " << problem << std::endl;
            } catch (...) {
                // A failing reporter must not turn a handled problem into a crash.
            }
        }
    }
    TReportsAfterUnlock(const TReportsAfterUnlock&) = delete;
    TReportsAfterUnlock& operator=(const TReportsAfterUnlock&) = delete;
};

const char* RootName(TRegRoot root) {
    return root == TRegRoot::HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

// The system keys the program writes into without creating them; where the layout comes from they
// always exist, so every root has them.
TRegistryFile WithSystemKeys(TRegRoot root, TRegistryFile registry) {
    if (root == TRegRoot::HKEY_LOCAL_MACHINE) {
        registry.CreateKey(kAutostartKey);
    } else {
        registry.CreateKey(kShellFoldersKey);
        registry.CreateKey(kDesktopKey);
    }
    return registry;
}

TRegistryFile FreshRegistry(TRegRoot root) {
    TRegistryFile registry = WithSystemKeys(root, TRegistryFile(RootName(root)));
    if (root == TRegRoot::HKEY_CURRENT_USER)
        registry.FindKey(kShellFoldersKey)
            ->SetValue({"Personal", TRegValueKind::String, 0, DocumentsDirectory()});
    return registry;
}

enum class TReadResult { Read, Missing, Failed };

// On failure `error` holds the system's error number.
TReadResult ReadWholeFile(const std::string& path, std::string& content, int& error) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    error = errno;
    if (fd < 0) return error == ENOENT ? TReadResult::Missing : TReadResult::Failed;
    content.clear();
    char buffer[16384];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error = errno;
            close(fd);
            return TReadResult::Failed;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return TReadResult::Read;
}

// Holds the exclusive advisory lock of one root while it lives.
class TRootLock {
public:
    explicit TRootLock(const std::string& registryPath)
        : fd_(open((registryPath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        while (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                close(fd_);
                fd_ = -1;
            }
        }
    }
    ~TRootLock() {
        if (fd_ >= 0) close(fd_);
    }
    TRootLock(const TRootLock&) = delete;
    TRootLock& operator=(const TRootLock&) = delete;

    bool Held() const { return fd_ >= 0; }

private:
    int fd_;
};

std::string AsideName(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".corrupt-" + stamp;
    std::string name = base;
    for (int copy = 2; access(name.c_str(), F_OK) == 0; ++copy)
        name = base + "-" + std::to_string(copy);
    return name;
}

// "第3行" or "第3、7行", at most five numbers.
std::string DamagedLines(const std::vector<TRegistryDamage>& damage) {
    std::string lines;
    for (std::size_t i = 0; i < damage.size() && i < 5; ++i)
        lines += (i ? "、" : "") + std::to_string(damage[i].Line);
    return "第" + lines + (damage.size() > 5 ? "等" : "") + "行";
}

// Each of these is told once per file and run: the state they describe lasts until the user
// mends the file.
void ReportOnce(const std::string& what, const std::string& path, const std::string& problem) {
    static std::set<std::string> reported;
    if (reported.insert(what + ' ' + path).second) ReportProblem(problem);
}

void ReportUnreadable(const std::string& path, int error) {
    const std::string reason =
        error == EACCES || error == EPERM ? "没有读取权限" : std::strerror(error);
    ReportOnce("unreadable", path,
               "无法读取设置文件“" + path + "”（" + reason +
                   "），本次运行使用默认设置，所做的更改不会被保存。");
}

void ReportUnmovable(const std::string& path, const std::vector<TRegistryDamage>& damage) {
    ReportOnce("unmovable", path,
               "设置文件“" + path + "”已损坏（" + DamagedLines(damage) +
                   "无法读取），也无法另存；能读出的设置照常使用，所做的更改不会被保存。");
}

// Reads and parses the root's file: a missing file gives a fresh root and an unreadable one
// nothing; for a damaged one `whenDamaged` decides, given what could be salvaged.
std::optional<TRegistryFile>
ReadRegistry(TRegRoot root, const std::string& path,
             const std::function<std::optional<TRegistryFile>(TSalvagedRegistry)>& whenDamaged) {
    std::string content;
    int error = 0;
    switch (ReadWholeFile(path, content, error)) {
    case TReadResult::Missing:
        return FreshRegistry(root);
    case TReadResult::Failed:
        ReportUnreadable(path, error);
        return std::nullopt;
    case TReadResult::Read:
        break;
    }
    TSalvagedRegistry salvaged = TRegistryFile::Salvage(RootName(root), content);
    salvaged.File = WithSystemKeys(root, std::move(salvaged.File));
    if (salvaged.Damage.empty()) return std::move(salvaged.File);
    return whenDamaged(std::move(salvaged));
}

// Reads the root with its lock held. A damaged file is set aside and replaced by what could be
// salvaged from it. Nothing when the file cannot be read, or is damaged and cannot be moved out
// of the way.
std::optional<TRegistryFile> ReadLocked(TRegRoot root, const std::string& path) {
    return ReadRegistry(
        root, path, [&](TSalvagedRegistry salvaged) -> std::optional<TRegistryFile> {
            const std::string aside = AsideName(path);
            if (std::rename(path.c_str(), aside.c_str()) != 0) {
                ReportUnmovable(path, salvaged.Damage);
                return std::nullopt;
            }
            try {
                const std::string text = salvaged.File.Serialise();
                TAtomicFile file(path);
                file.Write(text.data(), text.size());
                file.Commit();
            } catch (const EFileError&) {
                // The next successful write saves what was salvaged; the copy aside holds it all.
            }
            ReportProblem("设置文件“" + path + "”已损坏（" + DamagedLines(salvaged.Damage) +
                          "无法读取），原文件已另存为“" + aside + "”；能读出的设置都已保留。");
            return std::move(salvaged.File);
        });
}

} // namespace

TSettingsProblemReporterOverride::TSettingsProblemReporterOverride(
    TSettingsProblemReporter reporter)
    : TScopedOverride(Reporter(), std::move(reporter)) {}

bool IsKnownRoot(TRegRoot root) {
    return root == TRegRoot::HKEY_CURRENT_USER || root == TRegRoot::HKEY_LOCAL_MACHINE;
}

std::string RegistryFilePath(TRegRoot root) {
    return ConfigDirectory() + (root == TRegRoot::HKEY_CURRENT_USER ? "/HKCU.reg" : "/HKLM.reg");
}

std::optional<TRegistryFile> LoadRegistry(TRegRoot root) {
    const TReportsAfterUnlock reports;
    const std::string path = RegistryFilePath(root);
    return ReadRegistry(root, path, [&](TSalvagedRegistry salvaged) {
        // Setting the file aside changes the store, so it waits for the lock; another copy of
        // the program may have replaced the file meanwhile.
        const TRootLock lock(path);
        std::optional<TRegistryFile> registry;
        if (lock.Held())
            registry = ReadLocked(root, path);
        else
            ReportUnmovable(path, salvaged.Damage);
        // A damaged file that has to stay where it is reads as what could be salvaged.
        return registry ? std::move(registry) : std::move(salvaged.File);
    });
}

bool UpdateRegistry(TRegRoot root, const std::function<bool(TRegistryFile&)>& change,
                    const std::function<void()>& afterwards) {
    if (!MakeDirectories(ConfigDirectory())) return false;
    const std::string path = RegistryFilePath(root);
    const TReportsAfterUnlock reports;
    const TRootLock lock(path);
    if (!lock.Held()) return false;
    std::optional<TRegistryFile> registry = ReadLocked(root, path);
    if (!registry) return false;
    if (change(*registry)) {
        try {
            const std::string text = registry->Serialise();
            TAtomicFile file(path);
            file.Write(text.data(), text.size());
            file.Commit();
        } catch (const EFileError&) {
            return false;
        }
    }
    if (afterwards) afterwards();
    return true;
}

} // namespace zorvic
