#include "cli/TavrinDevivuKitApp.h"
#include "ui/shell/WindowStart.h"

int main(int argc, char** argv)
{
    // A headless run (--check, --preset, --no-gui, --help) ends the process
    // inside this constructor; only a window start comes back.
    const TavrinDevivuKitApp application(argc, argv);
    return WindowStart::run(argc, argv);
}
