// Makes a .lnk file pointing at `target` the way the shell does.
#pragma once
#include <string>

namespace tovan::test {

bool CreateLink(const std::string& link, const std::string& target);

}  // namespace tovan::test
