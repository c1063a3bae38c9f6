// Listings of resources that nothing uses, written to the log and shown in the
// log window: files of one kind that no scene file names, materials that no
// model mesh names, and textures that no material uses.
#pragma once
#include "core/str.h"

namespace tovan {

// Files below folder with one of the extensions that no line of a scene file
// ("Xmls/Scene/**.Xml") names; the heading is "Unused <label> (<count>):".
void ListUnusedOfKind(const char* folder, const char* label, const char* extension);
// Materials of the host's material table that no mesh of a "Models/**.cModel"
// file names, apart from the reserved ones.
void ListUnusedMaterials();
// Files below "Textures" that no material of the table uses, apart from the
// reserved ones.
void ListUnusedTextures();

// The resource a scene-file line names: the text around the first occurrence of
// the extension (ASCII case ignored) from just after the last '>' before it (or
// the line start) up to the first '<' at or after it (or the line end). False
// when the extension does not occur.
bool ResourceNameInLine(const char* line, const char* extension, cStr& name);

}  // namespace tovan
