// Helpers of the class-engine tests.
#pragma once
#include <string>

#include "classes/class.h"

namespace tovan::test {

// The object saved as text; a failed save fails the test.
std::string SaveText(cClass& object);

}  // namespace tovan::test
