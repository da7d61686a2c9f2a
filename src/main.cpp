#include "cli/TavrinDevivuKitApp.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // A headless run (--check, --preset, --no-gui, --help) ends the process
    // inside this constructor; only a window start comes back.
    const TavrinDevivuKitApp application(argc, argv);

    std::fputs("Tavrin Devivu Kit: the window is not built yet; run with --check or --preset NAME "
               "(--help lists the options).\n",
               stderr);
    return 1;
}
