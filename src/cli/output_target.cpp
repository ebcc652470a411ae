#include "cli/output_target.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "workflow/text_export.h"

namespace {

// The file to remove when the program is stopped by a signal while it writes. Only one output is
// open at a time; the handler reads the path without allocating, and only once it is complete.
char gPendingFile[PATH_MAX + 1];
volatile std::sig_atomic_t gPendingReady = 0;
bool gHandlersInstalled = false;
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction gPreviousActions[std::size(kStopSignals)];

extern "C" void RemovePendingAndStop(int signal) {
    if (gPendingReady != 0) {
        ::unlink(gPendingFile);
    }
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void InstallStopHandlers() {
    if (gHandlersInstalled) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = RemovePendingAndStop;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
        ::sigaction(kStopSignals[i], &action, &gPreviousActions[i]);
    }
    gHandlersInstalled = true;
}

void SetPending(const std::string& path) {
    gPendingReady = 0;
    if (path.size() <= PATH_MAX) {
        std::memcpy(gPendingFile, path.c_str(), path.size() + 1);
        gPendingReady = 1;
    }
}

void RemoveStopHandlers() {
    gPendingReady = 0;
    if (!gHandlersInstalled) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
        ::sigaction(kStopSignals[i], &gPreviousActions[i], nullptr);
    }
    gHandlersInstalled = false;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The permissions a new file gets from Save As: read and write for all, less the umask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

TOutputTarget::~TOutputTarget() {
    Remove();
}

void TOutputTarget::Remove() {
    if (ownsFd_ && fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    RemoveStopHandlers();
}

bool TOutputTarget::Open(const std::string& path, int stdoutFd, int& errorCode) {
    Remove();
    if (path == "-") {
        fd_ = stdoutFd;
        ownsFd_ = false;
        return true;
    }
    ownsFd_ = true;
    final_ = path;
    mode_t mode = NewFileMode();
    struct stat info {};
    bool inPlace = false;
    if (::lstat(path.c_str(), &info) == 0) {
        if (S_ISLNK(info.st_mode)) {
            // Save As writes through a link into the file it leads to; so does the rename here.
            char* resolved = ::realpath(path.c_str(), nullptr);
            if (resolved != nullptr && ::stat(resolved, &info) == 0) {
                final_ = resolved;
            } else {
                inPlace = true;
            }
            std::free(resolved);
        }
        if (!inPlace && !S_ISREG(info.st_mode)) {
            inPlace = true;
        } else if (!inPlace) {
            // An existing file that its owner made read-only is not replaced.
            if (::access(final_.c_str(), W_OK) != 0) {
                errorCode = errno;
                return false;
            }
            mode = info.st_mode & 07777;
        }
    }
    if (inPlace) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            errorCode = errno;
            return false;
        }
        return true;
    }

    std::string pattern = FolderOf(final_) + "/.vitreo-k.XXXXXX";
    // The handler is in place before the file exists, so that no interruption can leave it.
    InstallStopHandlers();
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        errorCode = errno;
        RemoveStopHandlers();
        return false;
    }
    temporary_ = pattern;
    SetPending(temporary_);
    if (::fchmod(fd_, mode) != 0) {
        errorCode = errno;
        Remove();
        return false;
    }
    return true;
}

int TOutputTarget::WriterDescriptor() const {
    return fd_ < 0 ? -1 : ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
}

bool TOutputTarget::Commit(int& errorCode) {
    if (temporary_.empty()) {
        if (ownsFd_ && fd_ >= 0 && ::close(fd_) != 0 && errno != EINTR) {
            fd_ = -1;
            throw EInOutError(errno);
        }
        fd_ = -1;
        return true;
    }
    // Data that the disk refuses late (a full disk, a network folder) show up here, before the
    // file replaces anything.
    if (::fsync(fd_) != 0) {
        const int error = errno;
        Remove();
        throw EInOutError(error);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        const int error = errno;
        Remove();
        throw EInOutError(error);
    }
    if (::rename(temporary_.c_str(), final_.c_str()) != 0) {
        errorCode = errno;
        Remove();
        return false;
    }
    temporary_.clear();
    RemoveStopHandlers();
    return true;
}
