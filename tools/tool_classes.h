// The reflected classes of the editing tools. The class engine registers its
// built-in classes on first use and then runs one hook; the program installs
// this layer's through InstallToolClassHook before it relies on the registry
// knowing these classes by name (XML lists of splines, "add..." rows).
#pragma once

namespace tovan {

// Registers the prototypes of cColorEdit, cImageSwatchFile, cSpline_Node and cSpline.
void RegisterToolClasses();
// Sets RegisterToolClasses as the class engine's built-in hook (running it at
// once when the built-ins are already registered).
void InstallToolClassHook();

}  // namespace tovan
