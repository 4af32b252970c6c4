#include "runtime/startup_settings.h"

StartupSettings g_settings;
