#include "platform/application.h"
#include "shell/main_window.h"

int main(int argc, char** argv)
{
    Program program;
    platform::Application application(argc, argv);
    return runTamaro(application, program);
}
