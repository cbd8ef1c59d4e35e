#pragma once
// File rights that bind the test as they bind a user. The superuser writes a read-only file or
// folder all the same, by the capabilities that override file rights; while a RightsBind lives,
// the calling thread (the one the windows and the database run on) gives them up, and takes them
// back at its end. For any other user it changes nothing: the rights bind already.
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testdb {

class RightsBind {
public:
    RightsBind() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct bound[2] = {saved_[0], saved_[1]};
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) bound[cap / 32].effective &= ~(1u << (cap % 32));
        active_ = syscall(SYS_capset, &header_, bound) == 0;
    }
    ~RightsBind() {
        if (active_) syscall(SYS_capset, &header_, saved_);
    }
    RightsBind(const RightsBind&) = delete;
    RightsBind& operator=(const RightsBind&) = delete;

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

} // namespace testdb
