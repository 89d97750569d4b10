#include "ui/qt/errorreport.h"
#include "platform/platform.h"
#include "app/tmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    auto platform = z7::CreateSystemPlatform();
    z7::TMain window(*platform);
    if (window.FormCreate() == z7::TMain::StartResult::End)
        return 0;
    window.show();
    app.exec();
    return 0;
}
