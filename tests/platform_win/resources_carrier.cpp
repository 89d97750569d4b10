// Carries z7edit's Windows resources for the tests, which load it as data.
// Started, it reads its own resources the way the program does (the running
// module, no language given) and says by its exit code whether it found them.
#include "resources/win32_resource_source.h"

int main()
{
    const z7::ResourceSource &resources = z7::ProgramResources();
    const bool found = resources.bytes(u"RT_RCDATA", u"NewModell").value_or("").size() == 6651 &&
                       resources.bytes(u"Z7", u"TTF").has_value() &&
                       resources.bytes(u"PNG", u"Building107").has_value();
    return found ? 0 : 2;
}
