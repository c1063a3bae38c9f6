// Small helpers shared by the class engine's sources.
#pragma once
#include <cstring>

namespace tovan {

class cStream;

// False for a member address that is null or the object itself (members declared
// without address answer the object).
bool HoldsValue(const void* address, const void* object);

// Reads a whole file for the XML loaders: an absolute path from disk, any other
// name through the file sources in their order.
bool ReadXmlSource(const char* path, cStream& out);

inline const char* TextOrEmpty(const char* text) { return text ? text : ""; }

inline bool StartsWith(const char* text, const char* prefix) {
    return text && std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

inline bool SameText(const char* a, const char* b) { return std::strcmp(TextOrEmpty(a), TextOrEmpty(b)) == 0; }

}  // namespace tovan
