#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// While it lives, the calling thread obeys the permission bits of files and folders even when
// the tests run as root: the two capabilities that let root write into any folder leave the
// thread's effective set, and come back from its permitted set afterwards. A folder without
// write permission then refuses a new file to root as it does to any user, without a read-only
// mount (which the tests could not make). Capabilities belong to the thread, so the file must be
// created on the thread that holds this object.
class ObeyFilePermissions {
public:
    ObeyFilePermissions() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (syscall(SYS_capget, &header_, saved_) != 0) {
            return;
        }
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~ObeyFilePermissions() {
        if (lowered_) {
            syscall(SYS_capset, &header_, saved_);
        }
    }
    ObeyFilePermissions(const ObeyFilePermissions&) = delete;
    ObeyFilePermissions& operator=(const ObeyFilePermissions&) = delete;

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool lowered_ = false;
};
