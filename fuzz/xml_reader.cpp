// The class-engine XML reader on arbitrary bytes: parsing never fails badly, and
// whatever it accepts the writer writes back into text that it accepts again. One
// root is reused from input to input, so its arena is reset and filled again.
#include <cstdlib>
#include <cstring>

#include "classes/xml.h"
#include "core/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tovan::XmlNode root;
    root.Clear();
    tovan::cStream stream;
    stream.WriteBlock(data, int(size));
    stream.m_Position = 0;
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
    // The stream writer and a cut write give the same bytes.
    tovan::cStream out;
    if (!again.ToBuffer(out) || out.Count() != text.Length() ||
        std::memcmp(out.Data(), text.GetText(), size_t(text.Length())) != 0)
        std::abort();
    const int limit = int(size % 97);
    tovan::cStr cut;
    again.WriteLimited(cut, 0, limit);
    if (cut.Length() != (limit < text.Length() ? limit : text.Length()) ||
        std::memcmp(cut.GetText(), text.GetText(), size_t(cut.Length())) != 0)
        std::abort();
    return 0;
}
