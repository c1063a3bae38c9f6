// The console program's start: its arguments become the command-line text.
#pragma once

namespace tovan {

// CommandLineText = argv[1..argc-1] joined by single spaces, quoting neither added
// nor removed; an empty argument leaves only its separator.
void JoinArguments(int argc, const char* const* argv);

}  // namespace tovan
