// A stand-in for the outside shader compilers that the precompiler starts. It
// appends its arguments, one line per run, to the file TOVAN_STAND_IN_RECORD
// names, then copies the source to the output; a source that holds "BROKEN"
// fails with exit code 2. Both command-line forms are understood:
//   /T vs_3_0 /Fo OUTPUT SOURCE        and        SOURCE /Tvs_3_0 /FoOUTPUT
// Natively the paths are of the tests' virtual drive: C:\ is the host folder
// TOVAN_STAND_IN_DRIVE names.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {
std::string HostPath(std::string path) {
    const char* drive = std::getenv("TOVAN_STAND_IN_DRIVE");
    if (!drive || path.size() < 3 || path[1] != ':')
        return path;
    path = std::string(drive) + "/" + path.substr(3);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}
}  // namespace

int main(int argc, char** argv) {
    std::string line, source, output;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        line += (i > 1 ? " " : "") + arg;
        if (arg == "/T" && i + 1 < argc) {
            line += std::string(" ") + argv[++i];
        } else if (arg == "/Fo" && i + 1 < argc) {
            output = argv[++i];
            line += " " + output;
        } else if (arg.rfind("/Fo", 0) == 0) {
            output = arg.substr(3);
        } else if (arg.rfind("/", 0) != 0) {
            source = arg;
        }
    }
    if (const char* record = std::getenv("TOVAN_STAND_IN_RECORD"))
        std::ofstream(record, std::ios::app) << line << "\n";
    std::ifstream in(HostPath(source), std::ios::binary);
    if (!in)
        return 3;
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    if (text.find("BROKEN") != std::string::npos)
        return 2;
    std::ofstream out(HostPath(output), std::ios::binary);
    out << text;
    return out ? 0 : 4;
}
