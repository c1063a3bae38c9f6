// The program's shader handle lists: variables that hold render-device shader
// ids, one list for the vertex side and one for the pixel side. Reloading the
// shaders asks the device for each id again and stores it in its variable.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/str.h"

namespace tovan {

struct cShaderHandle {
    int32_t m_Kind = 0;  // passed to the device as the request's flags
    cStr m_Name;
    int32_t* m_Handle = nullptr;
};

extern cList<cShaderHandle> VertexShaderHandles;
extern cList<cShaderHandle> PixelShaderHandles;

// Every entry of both lists gets its id from the render device again.
void RefreshShaderHandles();

}  // namespace tovan
