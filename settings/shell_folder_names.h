// Display names of three shell folders, as this system's registry gives
// them; they label menu items and name the Start Menu folders.
#ifndef VORNEL_SETTINGS_SHELL_FOLDER_NAMES_H
#define VORNEL_SETTINGS_SHELL_FOLDER_NAMES_H

extern const char* const& DesktopName;        // built-in "&Desktop"
extern const char* const& ControlPanelName;   // built-in "Control Panel"
extern const char* const& PrintersName;       // built-in "Printers"

extern const char ControlPanelClassId[];    // "{21EC2020-3AEA-1069-A2DD-08002B30309D}"
extern const char PrintersClassId[];        // "{2227A280-3AEA-1069-A2DE-08002B30309D}"

// Reads the names; a name the registry lacks, or gives empty, keeps its default.
void ReadShellFolderNames();

#endif
