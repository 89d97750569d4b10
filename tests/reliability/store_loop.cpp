// The process the crash test kills: the editor's own start-up over a real
// Wine prefix, then stores without end, the way the store command writes
// (ModelStore over WinePlatform). Between the two it says "ready" and waits
// for a line on its input, so that the test can look at the game folder right
// after a start and before the next write.
//
//   z7_store_loop PREFIX FIRST
//
// Step n stores "Theater" with the cost StoredValue(n), then "Kleines Zelt"
// with the residents and the companion's cost StoredValue(n).

#include "tests/reliability/crash_steps.h"
#include "ui/qt/messagebox.h"
#include "platform/platform_wine.h"
#include "app/tmain.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: z7_store_loop PREFIX FIRST\n");
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
