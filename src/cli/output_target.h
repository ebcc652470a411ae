#pragma once

#include <string>

// Where a batch export goes. A plain file appears only when it is complete: the data go to a new
// hidden file in the same folder, which is renamed over the target at the end and removed when
// the run fails or is interrupted, so a failed run leaves the target as it was and nothing
// half-written behind. Standard output ("-") and targets that are not plain files (a device such
// as /dev/null, a pipe, a symbolic link that leads nowhere) are written in place.
class TOutputTarget {
public:
    TOutputTarget() = default;
    ~TOutputTarget(); // removes a file that was not committed
    TOutputTarget(const TOutputTarget&) = delete;
    TOutputTarget& operator=(const TOutputTarget&) = delete;

    // Opens the target ("-": `stdoutFd`). False with the errno of the failure when it cannot be
    // created, for the same reasons Save As could not create it: a missing folder, no write
    // permission on the folder or on an existing file, a path that names a folder.
    bool Open(const std::string& path, int stdoutFd, int& errorCode);
    // A descriptor of its own for the writer, which closes it; -1 when none is left.
    int WriterDescriptor() const;
    // Makes the written data the target. Throws EInOutError when the data cannot be made
    // durable; false with the errno when the file cannot take the target's name.
    bool Commit(int& errorCode);

    // The file being written before it takes the target's name (empty when written in place).
    const std::string& TemporaryPath() const { return temporary_; }

private:
    void Remove();

    int fd_ = -1;
    bool ownsFd_ = false;
    std::string temporary_;
    std::string final_;
};
