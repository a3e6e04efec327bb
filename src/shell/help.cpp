#include "shell/help.h"

void showHelp(platform::Window&)
{
}
