// Text utilities on hostile input: number lists, splitting, UTF-8, paths and
// comparisons. The first byte picks the split point between two texts.
#include "core/str.h"

#include <cstddef>
#include <cstdint>

using namespace tovan;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const size_t cut = 1 + data[0] % size;
    const cStr a(reinterpret_cast<const char*>(data + 1), int(cut - 1));
    const cStr b(reinterpret_cast<const char*>(data + cut), int(size - cut));

    cList<int> ints;
    cList<float> floats;
    cList<cStr> pieces;
    cList<uint16_t> units;
    ParseIntList(a.GetText(), ints);
    ParseFloatList(a.GetText(), floats);
    SplitString(a.GetText(), pieces, b.GetText());
    a.ToUtf16(units);
    int i;
    float f;
    ParseInt(b.GetText(), i);
    ParseFloat(b.GetText(), f);

    CompareStrings(a, b);
    CompareStrings(a.GetText(), b.GetText(), int(cut));
    CompareStringsNoCase(a.GetText(), b.GetText());
    ComparePaths(a.GetText(), b.GetText(), int(cut) - 1);

    cStr path = a;
    path.MakeRelative(b.GetText());
    path.AppendPath(b.GetText());
    path.SetExtension(b.GetText());
    path.GetFileNameNoExt();
    path.GetFolder();
    path.GetExtension();
    path.Replace(b.GetText(), a.GetText());
    path.TrimLeft(b.GetText());
    path.TrimRight(b.GetText());
    return 0;
}
