// The second half of reading an OBJ file (internal to io/codecs): from the
// polygons the lines gave to the meshes of a static model.
#pragma once
#include <cstdint>

#include "io/model/model.h"
#include "io/model/polygons.h"

namespace tovan::obj {

// Normals (when the file had none) and tangents from the polygons, polygons
// of more than three corners cut into fans, then one mesh per material with
// its corners' vertices shared where position index and all 14 floats are the
// same. Every position index must lie within the position list; a texture or
// normal index outside its list leaves that field as the corner before set it.
// `triangles` is the count of triangles the fans will make. False when the
// lists would not fit (the model is then left for the caller to clear).
bool BuildModel(ObjGeometry& geometry, bool allTriangles, int64_t triangles, cModel& model);

}  // namespace tovan::obj
