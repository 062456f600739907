// Writes one payload file from the installer's own resources.
#pragma once

#include <windows.h>

#include <string>

namespace varnel::setup {

// Replaces the file at `path` with the bytes of the "MYDATA" resource `resourceName`
// of `module`. Every failure is fatal (see FatalError).
void WritePayloadFile(HMODULE module, const std::string& resourceName, const std::string& path);

} // namespace varnel::setup
