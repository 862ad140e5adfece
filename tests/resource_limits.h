#pragma once

// Limits the test process puts on itself to make the system refuse for real:
// a full disk, no file handle left. Each is lifted when it goes.

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace testing_support {

class ResourceLimit {
public:
    ResourceLimit(int resource, rlim_t soft) : resource_(resource) {
        getrlimit(resource_, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = soft;
        setrlimit(resource_, &limit);
    }
    ~ResourceLimit() { setrlimit(resource_, &saved_); }
    ResourceLimit(const ResourceLimit&) = delete;
    ResourceLimit& operator=(const ResourceLimit&) = delete;

private:
    int resource_;
    rlimit saved_{};
};

// Writes past `bytes` into any file fail with EFBIG, as a full disk fails them.
// SIGXFSZ is ignored meanwhile, so that the write returns the error instead of
// the signal ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
        : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)), limit_(RLIMIT_FSIZE, bytes) {}
    ~FileSizeLimit() { std::signal(SIGXFSZ, oldHandler_); }

private:
    void (*oldHandler_)(int);
    ResourceLimit limit_;
};

// Files opened from now on get handles below the lowest free one plus `count`:
// with the handles above it taken, as usual, `count` more files open and the
// next one fails with EMFILE.
class OpenFileLimit {
public:
    explicit OpenFileLimit(int count)
        : limit_(RLIMIT_NOFILE, static_cast<rlim_t>(LowestFreeHandle() + count)) {}

private:
    static int LowestFreeHandle() {
        int fd = open("/dev/null", O_RDONLY | O_CLOEXEC); // the system gives the lowest
        close(fd);
        return fd;
    }
    ResourceLimit limit_;
};

} // namespace testing_support
