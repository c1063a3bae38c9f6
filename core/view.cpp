#include "core/view.h"

namespace tovan {

cView* CurrentView = nullptr;

}  // namespace tovan
