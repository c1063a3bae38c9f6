// The host's three-level material table: level-1 entries in order, each with
// named level-2 entries, each with named level-3 entries (the materials) that
// can list the textures they use. The framework only reads it, through the
// pointer MaterialTable, which no framework operation sets.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/str.h"

namespace tovan {

class cMaterialTable {
public:
    virtual int CountEntries() = 0;          // level 1
    virtual int CountGroups(int entry) = 0;  // level 2 of an entry
    virtual const char* GetGroupName(int entry, int group) = 0;
    virtual int CountMaterials(int entry, int group) = 0;  // level 3 of a group
    virtual const char* GetMaterialName(int entry, int group, int material) = 0;
    // Appends the paths of the textures the material uses.
    virtual void ListTextures(int entry, int group, int material, cList<cStr>& out) = 0;
    // Called when a lookup found the material, before its index is handed out:
    // the host loads what the material needs to be drawn.
    virtual void OnMaterialFound(int entry, int group, int material) = 0;

protected:
    ~cMaterialTable() = default;  // owned by the host
};

extern cMaterialTable* MaterialTable;

// The texture index of a material name "group.material" (any of "._/\" split
// it; runs of them count once): entry + (group << 8) + (material << 16) of the
// first group and, within it, the first material named like the first two
// pieces (ASCII case ignored). -1 for fewer than two pieces, without a table,
// when nothing matches, or when an index is too large for its place in the
// packing (entries and groups 0 to 255, materials 0 to 32767).
int32_t GetMaterialTextureIndex(const char* material);

}  // namespace tovan
