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

#include "app/tmain.h"
#include "model/text.h"
#include "platform/platform_wine.h"
#include "resources/qt_resource_source.h"
#include "tests/reliability/crash_steps.h"
#include "tests/support/fake_window.h"

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
    z7::WinePlatform platform(argv[1]);
    z7::test::FakeWindow window;
    z7::TMain main(platform, window, z7::ProgramResources());
    if (main.FormCreate() != z7::TMain::StartResult::Run)
        return 3;
    // A start that had something to say is not the start this test is about.
    for (const auto &shown : window.shown())
        std::printf("message: %s\n", z7::ToUtf8(shown.text).c_str());
    if (!window.shown().empty())
        return 4;

    std::printf("ready\n");
    std::fflush(stdout);
    std::string go;
    if (!std::getline(std::cin, go))
        return 0;

    z7::ModelStore &store = main.store();
    for (long n = std::strtol(argv[2], nullptr, 10);; ++n)
        z7::crash::StoreStep(store, n);
}
