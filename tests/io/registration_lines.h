// The log lines of the codec registration at start-up, in order: one per row of
// the image codec table, then the other kinds, which have no table.
#pragma once
#include <string>
#include <vector>

#include "io/codecs/image_codec.h"

namespace tovan::test {

// The names of the image codec table, in its order.
inline std::vector<std::string> ImageCodecNames() {
    std::vector<std::string> names;
    for (int i = 0; i < kImageCodecCount; ++i)
        names.push_back(kImageCodecs[i].name);
    return names;
}

inline const std::vector<std::string>& RegistrationLines() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> out;
        for (const std::string& name : ImageCodecNames())
            out.push_back("Added \"" + name + "\" image codec.");
        for (const char* line : {"Added \"cAnim\" animation codec.", "Added \"Md5Anim\" animation decoder.",
                                 "Added \"cModel\" model codec.", "Added \"Md5Mesh\" model decoder.",
                                 "Added \"Obj\" model codec.", "Added \"cCamera\" camera codec."})
            out.push_back(line);
        return out;
    }();
    return lines;
}

// Both lists whole, for a child process to print when its log was not the one expected.
inline std::string ShowLines(const std::vector<std::string>& expected, const std::vector<std::string>& got) {
    std::string text = "expected:\n";
    for (const std::string& line : expected)
        text += "  " + line + "\n";
    text += "got:\n";
    for (const std::string& line : got)
        text += "  " + line + "\n";
    return text;
}

}  // namespace tovan::test
