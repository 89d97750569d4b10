// The process the crash test kills: the editor's own start-up over a real
// Wine prefix, then stores without end, the way the store command writes
// (ModelStore over WinePlatform). Between the two it says "ready" and waits
// for a line on its input, so that the test can look at the game folder right
// after a start and before the next write.
//
//   z7_store_loop PREFIX FIRST [--named-temporaries]
//
// Step n stores "Theater" with the cost StoredValue(n), then "Kleines Zelt"
// with the residents and the companion's cost StoredValue(n).
// --named-temporaries makes the kernel refuse unnamed temporary files
// (O_TMPFILE), as some file systems do: the save then goes through a named
// temporary file beside the model file for its whole length.

#include "crash_steps.h"
#include "messagebox.h"
#include "platform_wine.h"
#include "tmain.h"

#include <QApplication>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>

namespace {

// open/openat with O_TMPFILE fail with EOPNOTSUPP; everything else passes.
bool RefuseUnnamedTemporaries()
{
    constexpr unsigned TmpFileBit = 020000000; // __O_TMPFILE
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat, 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_open, 3, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        // openat(dirfd, path, flags, mode)
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, TmpFileBit, 3, 2),
        // open(path, flags, mode)
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[1])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, TmpFileBit, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EOPNOTSUPP & SECCOMP_RET_DATA)),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: z7_store_loop PREFIX FIRST [--named-temporaries]\n");
        return 2;
    }
    if (argc > 3 && std::strcmp(argv[3], "--named-temporaries") == 0 &&
        !RefuseUnnamedTemporaries()) {
        std::perror("seccomp");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    z7::MessageBoxSeam::enable();

    z7::WinePlatform platform(argv[1]);
    z7::TMain window(platform);
    if (window.FormCreate() != z7::TMain::StartResult::Run)
        return 3;
    // A start that had something to say is not the start this test is about.
    for (const auto &shown : z7::MessageBoxSeam::shown())
        std::printf("message: %s\n", qPrintable(shown.text));
    if (!z7::MessageBoxSeam::shown().isEmpty())
        return 4;

    std::printf("ready\n");
    std::fflush(stdout);
    std::string go;
    if (!std::getline(std::cin, go))
        return 0;

    z7::ModelStore &store = window.store();
    for (long n = std::strtol(argv[2], nullptr, 10);; ++n)
        z7::crash::StoreStep(store, n);
}
