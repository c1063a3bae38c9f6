// Captions for member names in the Class Explorer: the class qualifier goes,
// and words run together in camel case are spaced apart.
#pragma once
#include "core/str.h"

namespace tovan {

// "Class::TimeScale" -> "Time Scale", "CV0" -> "CV 0"; a name holding an
// underscore ("m_Color") and a class name ("cTransform") stay as they are.
cStr MakeMemberLabel(const char* name);

}  // namespace tovan
