#include "cli/file_access.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <pthread.h>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace ovilan::cli {

namespace {

    // Symbolic links are followed this deep at most, as the system itself does.
    constexpr int kMaxLinkDepth = 40;

    class FileHandle {
    public:
        explicit FileHandle(int descriptor)
            : descriptor_(descriptor)
        {
        }
        FileHandle(const FileHandle&) = delete;
        FileHandle& operator=(const FileHandle&) = delete;
        ~FileHandle()
        {
            if (descriptor_ >= 0)
                ::close(descriptor_);
        }
        int get() const { return descriptor_; }
        void reset(int descriptor)
        {
            if (descriptor_ >= 0)
                ::close(descriptor_);
            descriptor_ = descriptor;
        }
        // Closes now, so that a failure to write back on close is seen.
        bool close() { return ::close(std::exchange(descriptor_, -1)) == 0; }

    private:
        int descriptor_;
    };

    // A regular file that is not already larger than the limit; it may still grow while it is read.
    bool isRegularFileWithin(int descriptor, std::size_t limit)
    {
        struct stat status { };
        return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)
            && static_cast<std::uintmax_t>(status.st_size) <= limit;
    }

    // Reads until the end of the file or one byte past `limit`, whichever comes first.
    bool readUpTo(int descriptor, std::size_t limit, std::vector<std::uint8_t>& bytes)
    {
        constexpr std::size_t kChunk = 64 * 1024;
        for (;;) {
            const std::size_t used = bytes.size();
            const std::size_t wanted = std::min(kChunk, limit + 1 - used);
            bytes.resize(used + wanted);
            const ssize_t count = ::read(descriptor, bytes.data() + used, wanted);
            if (count < 0 && errno == EINTR) {
                bytes.resize(used);
                continue;
            }
            if (count < 0)
                return false;
            bytes.resize(used + static_cast<std::size_t>(count));
            if (count == 0 || bytes.size() > limit)
                return true;
        }
    }

    bool writeAll(int descriptor, std::span<const std::uint8_t> bytes)
    {
        while (!bytes.empty()) {
            const ssize_t count = ::write(descriptor, bytes.data(), bytes.size());
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                return false;
            bytes = bytes.subspan(static_cast<std::size_t>(count));
        }
        return true;
    }

    // The file a save through `path` replaces: the end of a chain of symbolic links, so the links
    // stay; `path` itself when it is no link or the chain does not end.
    std::filesystem::path replacedFile(const std::filesystem::path& path)
    {
        std::filesystem::path current = path;
        for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
            std::error_code error;
            if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error)))
                return current;
            const std::filesystem::path target = std::filesystem::read_symlink(current, error);
            if (error)
                return path;
            current = current.parent_path() / target;
        }
        return path;
    }

    // An existing file keeps its permissions; a new one gets those every new file gets here.
    mode_t modeFor(const std::filesystem::path& file)
    {
        struct stat status { };
        if (::stat(file.c_str(), &status) == 0)
            return status.st_mode & 07777;
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }

    // The signals that end the program unless it handles them, as a script's user sends them.
    sigset_t endingSignals()
    {
        sigset_t signals;
        sigemptyset(&signals);
        for (const int signal : { SIGINT, SIGTERM, SIGHUP, SIGQUIT })
            sigaddset(&signals, signal);
        return signals;
    }

    // Holds back the signals that would end the program while a temporary file exists, so that
    // it is removed first; a pending signal takes effect when this is destroyed.
    class SignalsHeld {
    public:
        SignalsHeld()
        {
            const sigset_t held = endingSignals();
            ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
        }
        SignalsHeld(const SignalsHeld&) = delete;
        SignalsHeld& operator=(const SignalsHeld&) = delete;
        ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

    private:
        sigset_t previous_ {};
    };

    // "plot.ovd.Xa3k9Q": the target's name and six random letters or digits.
    std::string freshName(const std::filesystem::path& target, std::random_device& random)
    {
        constexpr std::string_view kLetters
            = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
        std::string name = target.string() + '.';
        for (int i = 0; i < 6; ++i)
            name += kLetters[pick(random)];
        return name;
    }

    // Where the file system allows it the file has no name while it is written, so nothing of it
    // remains even when the program is killed outright; it is named beside the target just before
    // it replaces the target. Elsewhere it is created under a fresh name at once. Either way it is
    // removed unless it has replaced the target.
    class TemporaryFile {
    public:
        explicit TemporaryFile(const std::filesystem::path& target)
            : handle_(openUnnamed(target))
        {
            if (handle_.get() >= 0)
                return;
            name_ = target.string() + ".XXXXXX";
            handle_.reset(::mkostemp(name_.data(), O_CLOEXEC));
            if (handle_.get() < 0)
                name_.clear();
        }
        TemporaryFile(const TemporaryFile&) = delete;
        TemporaryFile& operator=(const TemporaryFile&) = delete;
        ~TemporaryFile()
        {
            if (!name_.empty() && !renamed_)
                ::unlink(name_.c_str());
        }

        bool created() const { return handle_.get() >= 0; }
        int descriptor() const { return handle_.get(); }

        // Names the file, closes it (a late write error shows here) and renames it over the
        // target.
        bool replace(const std::filesystem::path& target)
        {
            if (name_.empty() && !linkFreshName(target))
                return false;
            if (!handle_.close())
                return false;
            renamed_ = ::rename(name_.c_str(), target.c_str()) == 0;
            return renamed_;
        }

    private:
        static int openUnnamed(const std::filesystem::path& target)
        {
            // The file is named later through /proc, so without /proc it gets a name at once.
            if (::access("/proc/self/fd", F_OK) != 0)
                return -1;
            const std::filesystem::path folder
                = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
            return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        }

        bool linkFreshName(const std::filesystem::path& target)
        {
            const std::string self = "/proc/self/fd/" + std::to_string(handle_.get());
            std::random_device random;
            for (int attempt = 0; attempt < 100; ++attempt) {
                std::string name = freshName(target, random);
                if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW)
                    == 0) {
                    name_ = std::move(name);
                    return true;
                }
                if (errno != EEXIST)
                    return false;
            }
            return false;
        }

        FileHandle handle_;
        std::string name_; // empty while the file has no name
        bool renamed_ = false;
    };

} // namespace

std::optional<std::vector<std::uint8_t>> readRegularFile(const std::string& path, std::size_t limit)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0 || !isRegularFileWithin(file.get(), limit))
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (!readUpTo(file.get(), limit, bytes) || bytes.size() > limit)
        return std::nullopt;
    return bytes;
}

void leaveEndingSignalsToOtherThreads()
{
    const sigset_t signals = endingSignals();
    ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

bool writeFileSafely(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const std::filesystem::path target = replacedFile(path);
    const SignalsHeld signalsHeld;
    TemporaryFile temporary(target);
    return temporary.created() && writeAll(temporary.descriptor(), bytes)
        && ::fchmod(temporary.descriptor(), modeFor(target)) == 0
        && ::fsync(temporary.descriptor()) == 0 && temporary.replace(target);
}

} // namespace ovilan::cli
