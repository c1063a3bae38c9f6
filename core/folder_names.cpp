#include "core/folder_names.h"

namespace tovan {

cStr ModelsFolder("Models");
cStr SoundsFolder("Sounds");
cStr TexturesFolder("Textures");
cStr XmlsFolder("Xmls");

}  // namespace tovan
