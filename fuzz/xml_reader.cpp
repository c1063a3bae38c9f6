// The class-engine XML reader on arbitrary bytes: parsing never fails badly, and
// whatever it accepts the writer writes back into text that it accepts again.
#include <cstdlib>
#include <cstring>

#include "classes/xml.h"
#include "core/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tovan::cStream stream;
    stream.WriteBlock(data, int(size));
    stream.m_Position = 0;
    tovan::XmlNode root;
    if (!root.ParseBuffer(stream))
        return 0;
    tovan::cStr text;
    root.Write(text, 0);
    tovan::XmlNode again;
    if (again.Parse(text.GetText()) != text.Length() - 1)  // all but the final line end
        std::abort();
    tovan::cStr second;
    again.Write(second, 0);
    if (second != text)
        std::abort();
    return 0;
}
