// The data build: a copy of the data folder for a mobile platform, beside it
// as "<data folder>.<platform>". Models, shaders, XML files, fonts and sounds
// are copied as they are; for iOS the textures are stored as "cPvr" images.
#pragma once
#include <cstdint>

namespace tovan {

// Asks first; platform is a value of cSettings_Platform. False when the user
// said no or the target folder is refused (nothing changed then).
bool BuildPlatformData(int32_t platform, bool includeNormalMaps);

}  // namespace tovan
