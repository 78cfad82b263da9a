// Preloaded into a save run: counts every change the process makes to files
// under TAMSEL_CRASH_FOLDER (each write, sync, truncate, link, rename and
// remove, counted after it returned) and ends the process with SIGKILL right
// after change number TAMSEL_CRASH_KILL_AT. With TAMSEL_CRASH_TRACE set, each
// change is appended to that file as one line ("3 rename /path"), which is
// how a run without a kill learns the points of its path.
//
// Counting system calls rather than our own file routines catches every way a
// save touches the disk (Qt's save files, std::filesystem, plain QFile) and
// needs no hook in the program itself.
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

const std::string &Folder() {
    static const std::string folder = [] {
        const char *value = std::getenv("TAMSEL_CRASH_FOLDER");
        return std::string(value ? value : "");
    }();
    return folder;
}

bool Inside(const std::string &path) {
    const std::string &folder = Folder();
    return !folder.empty() && path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

std::string FdPath(int fd) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    return n > 0 ? std::string(target, size_t(n)) : std::string();
}

// Paths relative to a directory descriptor (or the working folder) made whole.
std::string AtPath(int dirfd, const char *path) {
    if (!path)
        return {};
    if (path[0] == '/')
        return path;
    std::string base;
    if (dirfd == AT_FDCWD) {
        char cwd[4096];
        base = ::getcwd(cwd, sizeof cwd) ? cwd : "";
    } else {
        base = FdPath(dirfd);
    }
    return base + "/" + path;
}

// Written with the raw system call, so the trace never counts itself.
void Trace(long n, const char *what, const std::string &path) {
    const char *trace = std::getenv("TAMSEL_CRASH_TRACE");
    if (!trace)
        return;
    const int fd = int(::syscall(SYS_openat, AT_FDCWD, trace, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (fd < 0)
        return;
    const std::string line = std::to_string(n) + " " + what + " " + path + "\n";
    ::syscall(SYS_write, fd, line.data(), line.size());
    ::syscall(SYS_close, fd);
}

void Point(const char *what, const std::string &path) {
    if (!Inside(path))
        return;
    static std::atomic<long> count{0};
    const long n = ++count;
    const int saved = errno;
    Trace(n, what, path);
    const char *at = std::getenv("TAMSEL_CRASH_KILL_AT");
    if (at && std::atol(at) == n)
        ::kill(::getpid(), SIGKILL);
    errno = saved;
}

template <typename F> F Real(const char *name) { return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name)); }

} // namespace

#define TAMSEL_PASS_FD(ret, name, params, args, fd)                                                       \
    extern "C" ret name params {                                                                           \
        static const auto real = Real<ret(*) params>(#name);                                               \
        const ret result = real args;                                                                      \
        Point(#name, FdPath(fd));                                                                          \
        return result;                                                                                     \
    }

TAMSEL_PASS_FD(ssize_t, write, (int fd, const void *buf, size_t n), (fd, buf, n), fd)
TAMSEL_PASS_FD(ssize_t, pwrite, (int fd, const void *buf, size_t n, off_t at), (fd, buf, n, at), fd)
TAMSEL_PASS_FD(ssize_t, pwrite64, (int fd, const void *buf, size_t n, off64_t at), (fd, buf, n, at), fd)
TAMSEL_PASS_FD(ssize_t, writev, (int fd, const struct iovec *iov, int n), (fd, iov, n), fd)
TAMSEL_PASS_FD(int, fsync, (int fd), (fd), fd)
TAMSEL_PASS_FD(int, fdatasync, (int fd), (fd), fd)
TAMSEL_PASS_FD(int, ftruncate, (int fd, off_t length), (fd, length), fd)
TAMSEL_PASS_FD(int, ftruncate64, (int fd, off64_t length), (fd, length), fd)
TAMSEL_PASS_FD(ssize_t, copy_file_range, (int in, off64_t *inAt, int fd, off64_t *outAt, size_t n, unsigned flags),
               (in, inAt, fd, outAt, n, flags), fd)

#define TAMSEL_PASS_PATH(ret, name, params, args, path)                                                   \
    extern "C" ret name params {                                                                           \
        static const auto real = Real<ret(*) params>(#name);                                               \
        const std::string whole = path;                                                                    \
        const ret result = real args;                                                                      \
        Point(#name, whole);                                                                               \
        return result;                                                                                     \
    }

TAMSEL_PASS_PATH(int, truncate, (const char *p, off_t length), (p, length), AtPath(AT_FDCWD, p))
TAMSEL_PASS_PATH(int, rename, (const char *from, const char *to), (from, to), AtPath(AT_FDCWD, to))
TAMSEL_PASS_PATH(int, renameat, (int fromDir, const char *from, int toDir, const char *to),
                 (fromDir, from, toDir, to), AtPath(toDir, to))
TAMSEL_PASS_PATH(int, renameat2, (int fromDir, const char *from, int toDir, const char *to, unsigned flags),
                 (fromDir, from, toDir, to, flags), AtPath(toDir, to))
TAMSEL_PASS_PATH(int, link, (const char *from, const char *to), (from, to), AtPath(AT_FDCWD, to))
TAMSEL_PASS_PATH(int, linkat, (int fromDir, const char *from, int toDir, const char *to, int flags),
                 (fromDir, from, toDir, to, flags), AtPath(toDir, to))
TAMSEL_PASS_PATH(int, unlink, (const char *p), (p), AtPath(AT_FDCWD, p))
TAMSEL_PASS_PATH(int, unlinkat, (int dir, const char *p, int flags), (dir, p, flags), AtPath(dir, p))
TAMSEL_PASS_PATH(int, remove, (const char *p), (p), AtPath(AT_FDCWD, p))
TAMSEL_PASS_PATH(int, rmdir, (const char *p), (p), AtPath(AT_FDCWD, p))
