// What the drawing primitives share: ids fetched once per device.
#pragma once
#include "core/render_device.h"

namespace tovan::draw_detail {

// An id the device handed out; asked again only when the host puts in another device.
struct DeviceId {
    const cRenderer* device = nullptr;
    int epoch = 0;
    int id = -1;

    template <class Fetch>
    int Get(Fetch fetch) {
        if (device != RenderDevice || epoch != RenderDeviceEpoch) {
            id = fetch(*RenderDevice);
            device = RenderDevice;
            epoch = RenderDeviceEpoch;
        }
        return id;
    }
};

inline int ShaderId(DeviceId& cache, const char* name, const char* defines = nullptr) {
    return cache.Get([&](cRenderer& d) { return d.GetShader(name, -1, defines, 0); });
}

}  // namespace tovan::draw_detail
