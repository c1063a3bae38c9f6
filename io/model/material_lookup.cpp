#include "io/model/material_table.h"

namespace tovan {

cMaterialTable* MaterialTable = nullptr;

namespace {
// The places of the packed index: entry and group a byte each, the material
// below the sign bit, so no found material ever reads as -1 or as another one.
constexpr int kMaxEntry = 255;
constexpr int kMaxGroup = 255;
constexpr int kMaxMaterial = 32767;

bool SameName(const char* a, const cStr& b) { return a && CompareStringsNoCase(a, b.GetText()) == 0; }
}  // namespace

int32_t GetMaterialTextureIndex(const char* material) {
    cList<cStr> pieces;
    SplitString(material, pieces, "._/\\");
    if (pieces.Count() < 2 || !MaterialTable)
        return -1;
    cMaterialTable& table = *MaterialTable;
    const int entries = table.CountEntries();
    for (int i = 0; i < entries; ++i) {
        const int groups = table.CountGroups(i);
        for (int j = 0; j < groups; ++j) {
            if (!SameName(table.GetGroupName(i, j), pieces[0]))
                continue;
            const int materials = table.CountMaterials(i, j);
            for (int k = 0; k < materials; ++k) {
                if (!SameName(table.GetMaterialName(i, j, k), pieces[1]))
                    continue;
                if (i > kMaxEntry || j > kMaxGroup || k > kMaxMaterial)
                    return -1;
                table.OnMaterialFound(i, j, k);
                return int32_t(uint32_t(i) + (uint32_t(j) << 8) + (uint32_t(k) << 16));
            }
        }
    }
    return -1;
}

}  // namespace tovan
