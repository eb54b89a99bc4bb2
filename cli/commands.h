// The subcommands of the lirset program. Each returns the exit status: 0 done, 1 done with
// problems in the input (a lexicon that did not load whole, a check that found problems), 2 bad
// usage or unreadable input (one line on standard error).
#pragma once

#include "cli/commandline.h"

int RunLexiconCommand(CCommandLine& commandLine);
int RunMatchCommand(CCommandLine& commandLine);
int RunFindCommand(CCommandLine& commandLine);
