#include "platform/application.h"
#include "shell/main_window.h"

// Leaks that the font and display libraries keep until exit are not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libdbus\n";
}

int main(int argc, char** argv)
{
    Program program;
    platform::Application application(argc, argv);
    return runTamaro(application, program);
}
