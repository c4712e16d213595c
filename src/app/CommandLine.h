#ifndef COMMAND_LINE_H
#define COMMAND_LINE_H

#include <stdio.h>

// Answers the options that end the program before any window exists:
// --help / -h (usage on output, exit code 0), --version / -v (identity on
// output, exit code 0), an unknown option that starts with "--" (usage on
// errors, exit code 2). A failed write to output gives exit code 1. The
// first of them on the command line decides; "--" ends the options.
//
// Answers true when the program should exit with *exitCode, false when it
// should start and open the files it was given (the application opens the
// first existing one). Arguments with a single dash other than -h and -v
// are left alone: they belong to the GUI toolkit (-platform, -style...).
bool HandleCommandLine(int argc, char** argv, int* exitCode, FILE* output = stdout,
					   FILE* errors = stderr);

#endif // COMMAND_LINE_H
