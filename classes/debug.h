// cDebug: run-time counters that the Class Explorer shows as read-only rows. One
// object for the run; it has a descriptor but no registered prototype, so it
// cannot be created by class name.
#pragma once
#include <cstdint>

#include "classes/class.h"

namespace tovan {

class cDebug : public cClass {
    TOVAN_CLASS(cDebug)
public:
    // Made and initialised on the first call; never destroyed.
    static cDebug* Instance();

    int32_t m_OpenFilesCount = 0;
    int32_t m_InputEventsCount = 0;  // events queued and not yet dropped

    void RegisterMembers() override;
};

}  // namespace tovan
