// Finding include blocks in a document and refreshing each from its file.
#pragma once

#include "tool_proxy.h"

namespace varnel::tool::updater {

// Scans the whole document and refreshes every include block whose file can be read.
// A host edit that fails is thrown as HostError; edits made before it stay.
void RefreshIncludeBlocks(VTextProxy& document);

} // namespace varnel::tool::updater
