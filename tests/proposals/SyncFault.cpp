#include "SyncFault.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
bool failing = false;
int calls = 0;
const char *refusedEnd = nullptr;
} // namespace

SyncFault::SyncFault() { failing = true; }
SyncFault::~SyncFault() { failing = false; }
int SyncFault::Calls() { return calls; }

extern "C" int fsync(int fd) {
    ++calls;
    if (failing) {
        errno = EIO;
        return -1;
    }
    return int(::syscall(SYS_fsync, fd));
}

RenameFault::RenameFault(const char *targetEnd) { refusedEnd = targetEnd; }
RenameFault::~RenameFault() { refusedEnd = nullptr; }

extern "C" int rename(const char *from, const char *to) {
    const size_t length = std::strlen(to);
    if (refusedEnd && length >= std::strlen(refusedEnd) &&
        std::strcmp(to + length - std::strlen(refusedEnd), refusedEnd) == 0) {
        errno = EIO;
        return -1;
    }
    return int(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0));
}
