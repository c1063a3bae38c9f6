#include "io/io.h"

namespace tovan {

cIO::Source::~Source() = default;

SourceFolder::SourceFolder(const char* root, const char* writeRoot) {
    m_Root.SetText(root);
    m_WriteRoot.SetText(writeRoot);
}

bool SourceFolder::Load(const char* name, cStream& out) {
    cStr path = m_Root;
    path.AppendPath(name);
    return cIO::ReadFile(path.GetText(), out);
}

bool SourceFolder::Save(const char* name, const uint8_t* data, int32_t length, bool append) {
    cStr path = m_WriteRoot.Length() > 0 ? m_WriteRoot : m_Root;
    path.AppendPath(name);
    return cIO::WriteFile(path.GetText(), data, length, append);
}

}  // namespace tovan
