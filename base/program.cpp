#include "base/program.h"

HINSTANCE AppInstance;
OSVERSIONINFOA OsVersion;

const char MainWindowTitle[] = VORNEL_PRODUCT_NAME " " VORNEL_VERSION_TEXT;
