#include "service/console_entry.h"

#include "core/entry.h"

namespace tovan {

void JoinArguments(int argc, const char* const* argv) {
    CommandLineText.Clear();
    if (!argv)
        return;
    for (int i = 1; i < argc; ++i) {
        if (!CommandLineText.IsEmpty())
            CommandLineText.AppendChar(' ');
        if (argv[i])
            CommandLineText.Append(argv[i]);
    }
}

}  // namespace tovan
