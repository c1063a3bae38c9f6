#include "tools/shader_handles.h"

#include "core/render_device.h"

namespace tovan {

cList<cShaderHandle> VertexShaderHandles;
cList<cShaderHandle> PixelShaderHandles;

void RefreshShaderHandles() {
    if (!RenderDevice)
        return;
    for (cList<cShaderHandle>* list : {&VertexShaderHandles, &PixelShaderHandles})
        for (cShaderHandle& entry : *list)
            if (entry.m_Handle)
                *entry.m_Handle = RenderDevice->GetShader(entry.m_Name.GetText(), -1, nullptr, entry.m_Kind);
}

}  // namespace tovan
