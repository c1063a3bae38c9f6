// The named resource folders, relative to the data folder.
#pragma once
#include "core/str.h"

namespace tovan {

extern cStr ModelsFolder;    // "Models"
extern cStr SoundsFolder;    // "Sounds"
extern cStr TexturesFolder;  // "Textures"
extern cStr XmlsFolder;      // "Xmls"

}  // namespace tovan
