// The log lines of the codec registration at start-up, in order.
#pragma once
#include <string>
#include <vector>

namespace tovan::test {

inline const std::vector<std::string>& RegistrationLines() {
    static const std::vector<std::string> lines = {
        "Added \"Dds\" image codec.",      "Added \"Bmp\" image codec.",       "Added \"cPvr\" image codec.",
        "Added \"Tga\" image codec.",      "Added \"cAnim\" animation codec.", "Added \"Md5Anim\" animation decoder.",
        "Added \"cModel\" model codec.",   "Added \"Md5Mesh\" model decoder.", "Added \"Obj\" model codec.",
        "Added \"cCamera\" camera codec.",
    };
    return lines;
}

}  // namespace tovan::test
