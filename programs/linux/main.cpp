// The Linux program: the logic's window on Qt Widgets.
#include "app/tmain.h"
#include "platform/platform.h"
#include "resources/qt_resource_source.h"
#include "ui/qt/qt_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    auto platform = z7::CreateSystemPlatform();
    z7::QtWindow window;
    z7::TMain main(*platform, window, z7::ProgramResources());
    if (main.FormCreate() == z7::TMain::StartResult::End)
        return 0;
    window.show();
    return app.exec();
}
