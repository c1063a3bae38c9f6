#include "service/console_entry.h"

#include "core/entry.h"
#include "core/log.h"
#include "core/str.h"

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

void PrintLogText(std::FILE* out) {
    // The log keeps "\r\n"; a text stream adds its own '\r' where the system wants one.
    const cStr& text = GetLogText();
    const char* p = text.GetText();
    const char* end = p + text.Length();
    while (p < end) {
        const char* run = p;
        while (p < end && *p != '\r')
            ++p;
        std::fwrite(run, 1, size_t(p - run), out);
        if (p < end)
            ++p;
    }
    std::fflush(out);
}

}  // namespace tovan
