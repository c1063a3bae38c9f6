#include "classes/debug.h"

#include "classes/field_types.h"
#include "classes/member.h"

namespace tovan {

cDebug* cDebug::Instance() {
    static cDebug* const instance = [] {
        cDebug* debug = new cDebug();
        debug->Init(debug);
        return debug;
    }();
    return instance;
}

// Both counters share the registered _cLabelInt prototype as their field type.
void cDebug::RegisterMembers() {
    if (!BeginMembers())
        return;
    cClass* label = SharedPrototype<_cLabelInt>();
    RegisterMember(label, &m_OpenFilesCount, "OpenFilesCount", 0, GetClassName(), 0);
    RegisterMember(label, &m_InputEventsCount, "InputEventsCount", 0, GetClassName(), 0);
}

}  // namespace tovan
