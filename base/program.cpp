#include "base/program.h"

HINSTANCE AppInstance;
OSVERSIONINFOA OsVersion;

const char MainWindowTitle[] = PRODUCT_NAME " " PRODUCT_VERSION_TEXT;
