// Stands in for the game in the end-to-end tests of z7edit.exe: a process
// named Z7.exe that says when it is up, then waits until the test ends it.
#include <windows.h>

#include <cstdio>

int main()
{
    std::puts("running");
    std::fflush(stdout);
    // Ten minutes at most, so that a test that died leaves nothing behind for long.
    ::Sleep(10 * 60 * 1000);
    return 0;
}
