// The program takes no arguments; the entry point only steps over its own name.
#ifndef VORNEL_APP_COMMAND_LINE_H
#define VORNEL_APP_COMMAND_LINE_H

// Returns the part of a command line after the program name: a quoted name
// ends at its closing quote, an unquoted one at the first space; the spaces
// that follow are skipped too. Never reads past the terminator.
const char* SkipProgramName(const char* commandLine);

#endif
