// Stand-in for the foundation's Warning until it lands; same name.
#pragma once

namespace tovan {
void Warning(const char* fmt, ...);
int ShimWarningCount();
}
