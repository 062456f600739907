// The handle of the running extension's own library, kept by its library entry so that
// dialogs can be loaded from the library's resources.
#pragma once

namespace varnel::tool {

// An HINSTANCE on Windows; null elsewhere.
void* ModuleInstance();

} // namespace varnel::tool
