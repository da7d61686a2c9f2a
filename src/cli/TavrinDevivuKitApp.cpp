#include "cli/TavrinDevivuKitApp.h"

#include "cli/TavrinCLI.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <cstdlib>

TavrinDevivuKitApp::TavrinDevivuKitApp(int& argc, char** argv)
{
    const QStringList list = arguments(argc, argv);
    if (!TavrinCLI::shouldRun(list))
        return;
    int status = 0;
    {
        const QCoreApplication application(argc, argv);
        status = TavrinCLI::run(list);
    }
    std::fflush(nullptr);
    std::exit(status);
}

QStringList TavrinDevivuKitApp::arguments(int argc, char** argv)
{
    QStringList list;
    for (int index = 0; index < argc; ++index)
        list.append(QFile::decodeName(argv[index]));
    return list;
}
