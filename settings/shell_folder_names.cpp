#include "settings/shell_folder_names.h"

#include <windows.h>

#include "base/handles.h"
#include "base/text.h"
#include "settings/settings_store.h"

static const char DefaultDesktopName[] = "&Desktop";
static const char DefaultControlPanelName[] = "Control Panel";
static const char DefaultPrintersName[] = "Printers";

static struct {
    const char* desktop = DefaultDesktopName;
    const char* controlPanel = DefaultControlPanelName;
    const char* printers = DefaultPrintersName;
} Names;

const char* const& DesktopName = Names.desktop;
const char* const& ControlPanelName = Names.controlPanel;
const char* const& PrintersName = Names.printers;

const char ControlPanelClassId[] = "{21EC2020-3AEA-1069-A2DD-08002B30309D}";
const char PrintersClassId[] = "{2227A280-3AEA-1069-A2DE-08002B30309D}";

// Sets name to a heap copy of the default value of the class key when the
// key gives a non-empty one, else to the built-in default. A copy read by an
// earlier call is released first.
static void ReadFolderName(const char* classKey, const char*& name, const char* defaultName)
{
    if (name != defaultName) {
        char* previous = const_cast<char*>(name);
        FreeText(previous);
        name = defaultName;
    }
    char buffer[MAX_PATH];
    RegKey key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, classKey, 0, KEY_READ, key.out()) != ERROR_SUCCESS)
        return;
    if (!QueryStringValue(key.get(), nullptr, buffer, MAX_PATH - 1) || buffer[0] == '\0')
        return;
    if (char* copy = DuplicateText(buffer))
        name = copy;
}

void ReadShellFolderNames()
{
    ReadFolderName("CLSID\\{00021400-0000-0000-C000-000000000046}", Names.desktop, DefaultDesktopName);
    ReadFolderName("CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}", Names.controlPanel,
                   DefaultControlPanelName);
    ReadFolderName("CLSID\\{2227A280-3AEA-1069-A2DE-08002B30309D}", Names.printers,
                   DefaultPrintersName);
}
