#include "io/whole_save.h"

#include "core/os.h"

namespace tovan {

cStr SaveTemporaryName(const char* target, int number) {
    cStr name(target);
    name.Append(".~tmp");
    name.AppendInt(number);
    return name;
}

bool SaveWhole(const char* target, const uint8_t* data, int32_t length) {
    for (int number = 0; number < kSaveTemporaryNames; ++number) {
        cStr temporary = SaveTemporaryName(target, number);
        void* file = os::FileCreateNew(temporary.GetText());
        if (!file) {
            if (os::FileAttributes(temporary.GetText()) != os::kAttrInvalid)
                continue;
            return false;  // the folder is missing or takes no new files
        }
        uint32_t done = 0;
        bool written = length == 0 || (os::FileWrite(file, data, uint32_t(length), &done) && done == uint32_t(length));
        os::FileClose(file);
        if (written && os::FileReplace(temporary.GetText(), target))
            return true;
        os::FileDelete(temporary.GetText());
        return false;
    }
    return false;
}

}  // namespace tovan
