// Folders in the user's Start Menu whose names end in a shell folder's
// class identifier; the shell shows such a folder as a cascading menu of
// the Control Panel or the Printers folder.
#ifndef VORNEL_SETTINGS_START_MENU_FOLDERS_H
#define VORNEL_SETTINGS_START_MENU_FOLDERS_H

enum StartMenuOperation {
    START_MENU_TEST = 0,    // does the folder exist?
    START_MENU_CREATE = 1,
    START_MENU_REMOVE = 2,  // only an empty folder goes
};

// "<Start Menu>\<name>.<classId>". The test returns whether something of
// that name exists; create and remove return whether they succeeded. With
// no Start Menu path in the registry the test is false and nothing changes.
bool StartMenuFolder(const char* name, const char* classId, StartMenuOperation operation);

#endif
