#include "tools/member_label.h"

namespace tovan {

namespace {
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
}  // namespace

cStr MakeMemberLabel(const char* name) {
    if (!name)
        return cStr();
    cStr text(name);
    const int qualifier = text.Find("::");
    if (qualifier >= 0)
        text = cStr(name + qualifier + 2);
    if (text.Find("_") >= 0)
        return text;
    cStr label;
    for (int i = 0; i < text.Length(); ++i) {
        const char c = text[i];
        if (i > 0) {
            const char p = text[i - 1];
            // A leading 'c' is the class prefix: "cTransform" is one word.
            const bool classPrefix = i == 1 && text[0] == 'c';
            const bool wordStart = (IsUpper(c) && !IsUpper(p)) || (IsAsciiDigit(c) && !IsAsciiDigit(p));
            if (p != ' ' && !classPrefix && wordStart)
                label += ' ';
        }
        label += c;
    }
    return label;
}

}  // namespace tovan
