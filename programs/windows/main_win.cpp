// The Windows program: the logic's window on the Win32 common controls.

#include "app/tmain.h"
#include "platform/platform.h"
#include "resources/win32_resource_source.h"
#include "ui/win32/win32_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    const z7::ResourceSource &resources = z7::ProgramResources();
    auto platform = z7::CreateSystemPlatform();
    z7::Win32Window window(instance, resources);
    z7::TMain main(*platform, window, resources);
    if (main.FormCreate() == z7::TMain::StartResult::End)
        return 0;
    window.show();
    return window.run();
}
