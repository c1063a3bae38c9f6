// Trees from and to byte streams and files.
#include <cstring>

#include "classes/engine_internal.h"
#include "classes/xml.h"
#include "core/log.h"
#include "core/stream.h"
#include "io/io.h"

namespace tovan {

namespace {
constexpr int kWriteReserve = 0x100001;
constexpr int kMaxText = 0x40000000;  // a copy of more could not be sized in a cStr
}  // namespace

bool ReadXmlSource(const char* path, cStream& out) {
    cIO::Init();
    return path && cIO::ReadFromSources(path, out);
}

bool XmlNode::ParseBuffer(cStream& stream) {
    // As many characters as the stream holds: the bytes from the position, then spaces.
    const int size = stream.Count();
    const int left = stream.Remaining();
    if (size > kMaxText)
        return false;
    if (size <= 0) {
        m_Scratch.Clear();
    } else {
        m_Scratch.Reserve(size + 1, false);
        if (left > 0)
            std::memcpy(m_Scratch.Data(), stream.Data() + stream.m_Position, size_t(left));
        std::memset(m_Scratch.Data() + left, ' ', size_t(size - left));
        m_Scratch.SetLength(size);
    }
    stream.m_Position += left;
    // A text that begins with its terminator would parse as empty and pass as success.
    const bool ok = !m_Scratch.IsEmpty() && m_Scratch[0] != 0 && Parse(m_Scratch.GetText()) != -1;
    m_Scratch.Clear();
    return ok;
}

bool XmlNode::LoadFile(const char* path) {
    Log(" # Loading xml file \"%s\"...", TextOrEmpty(path));
    cIO::Init();
    m_Scratch.Clear();
    if (!path)
        return false;
    cStream stream;
    if (!ReadXmlSource(path, stream)) {
        Warning("Can't load file \"%s\"", path);
        return false;
    }
    return ParseBuffer(stream);
}

void XmlNode::ToBuffer(cStream& stream) {
    stream.Clear();
    m_Scratch.Reserve(kWriteReserve, false);
    m_Scratch.Clear();
    Write(m_Scratch, 0);
    stream.WriteBlock(reinterpret_cast<const uint8_t*>(m_Scratch.GetText()), m_Scratch.Length());
    m_Scratch.Clear();
}

}  // namespace tovan
