// Switching on a privilege in the program's own token. Systems without
// privileges (the 9x family) fail the calls, which is harmless.
#ifndef VORNEL_ACTIONS_PRIVILEGES_H
#define VORNEL_ACTIONS_PRIVILEGES_H

// Enables the named privilege ("SeShutdownPrivilege", "SeDebugPrivilege");
// returns whether the system accepted the request.
bool EnableOwnPrivilege(const char* name);

#endif
