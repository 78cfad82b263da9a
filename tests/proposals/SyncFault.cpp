#include "SyncFault.h"

#include <cerrno>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
bool failing = false;
int calls = 0;
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
