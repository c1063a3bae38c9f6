// Trees from and to byte streams and files.
#include <cstring>

#include "classes/engine_internal.h"
#include "classes/xml.h"
#include "core/log.h"
#include "core/stream.h"
#include "io/io.h"

namespace tovan {

bool ReadXmlSource(const char* path, cStream& out) {
    cIO::Init();
    return path && cIO::ReadFromSources(path, out);
}

// The bytes from the stream's position are the text, up to a 0 byte if one comes
// first; the stream is passed over whole.
bool XmlNode::ParseBuffer(cStream& stream) {
    const int size = stream.Count();
    const int left = stream.Remaining();
    if (size > kMaxText)
        return false;
    if (left <= 0) {
        stream.m_Position += left;
        return false;
    }
    const char* begin = reinterpret_cast<const char*>(stream.Data()) + stream.m_Position;
    stream.m_Position += left;
    // A text that begins with its terminator would parse as empty and pass as success.
    if (*begin == 0)
        return false;
    const char* end = static_cast<const char*>(std::memchr(begin, 0, size_t(left)));
    return ParseRange(begin, end ? end : begin + left) != -1;
}

bool XmlNode::LoadFile(const char* path) {
    Log(" # Loading xml file \"%s\"...", TextOrEmpty(path));
    cIO::Init();
    if (!path)
        return false;
    cStream stream;
    if (!ReadXmlSource(path, stream)) {
        Warning("Can't load file \"%s\"", path);
        return false;
    }
    return ParseBuffer(stream);
}

}  // namespace tovan
