// For test hosts: puts every layer without live widgets back to its start,
// so that handles do not depend on what earlier tests added and removed.
#pragma once

namespace tovan::registry_detail {

void ForgetEmptyLayers();

}  // namespace tovan::registry_detail
