#include "tools/tool_classes.h"

#include "classes/member.h"
#include "classes/registry.h"
#include "tools/color_edit.h"
#include "tools/image_swatch_file.h"
#include "tools/spline.h"

namespace tovan {

void RegisterToolClasses() {
    SharedPrototype<cColorEdit>();
    SharedPrototype<cImageSwatchFile>();
    SharedPrototype<cSpline_Node>();
    SharedPrototype<cSpline>();
}

void InstallToolClassHook() { SetBuiltinClassHook(RegisterToolClasses); }

}  // namespace tovan
