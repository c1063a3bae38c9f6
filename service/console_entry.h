// The console program's start: its arguments become the command-line text.
#pragma once
#include <cstdio>

namespace tovan {

// CommandLineText = argv[1..argc-1] joined by single spaces, quoting neither added
// nor removed; an empty argument leaves only its separator.
void JoinArguments(int argc, const char* const* argv);

// Writes what the log window would show to a text stream, one "\n" per line end.
void PrintLogText(std::FILE* out);

}  // namespace tovan
