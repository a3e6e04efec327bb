#pragma once

#include "platform/application.h"

// The application object that every test program runs under.
platform::Application& testApplication();
