// Preloaded (LD_PRELOAD) into the test programs only when they run under user-mode emulation.
//
// QProcess asks once whether the kernel offers process file descriptors: a raw
// syscall(SYS_waitid, P_PIDFD, ...) that fails with EBADF where they exist. The emulator passes
// that probe on to the host kernel, which has them, but then refuses the clone(CLONE_PIDFD) that
// QProcess goes on to use, so no child program could start. Answering the probe with EINVAL, as
// a kernel without pidfds does, makes QProcess start its children with fork. Every other system
// call goes through unchanged; the programs under test never start children themselves.
#include <dlfcn.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>

namespace {

// From <linux/wait.h>, which older C libraries do not include in <sys/wait.h>.
constexpr long kPidfdIdType = 3;

using SyscallFunction = long (*)(long, ...);

SyscallFunction NextSyscall() {
    static const auto next = reinterpret_cast<SyscallFunction>(dlsym(RTLD_NEXT, "syscall"));
    return next;
}

}  // namespace

// A system call takes at most six arguments in registers. Reading all six is what the C
// library's own syscall() does; the surplus ones are whatever the registers hold, and unused.
extern "C" long syscall(long number, ...) noexcept {
    long arguments[6];
    va_list list;
    va_start(list, number);
    for (long& argument : arguments) argument = va_arg(list, long);
    va_end(list);
    if (number == SYS_waitid && arguments[0] == kPidfdIdType) {
        errno = EINVAL;
        return -1;
    }
    return NextSyscall()(number, arguments[0], arguments[1], arguments[2], arguments[3],
                         arguments[4], arguments[5]);
}
