// The include updater's entry: refreshes every include block of the document.
#include "host_error.h"
#include "include_scanner.h"
#include "tool_exports.h"

extern "C" int Perform(VTextProxy& document)
{
    return varnel::tool::RunPerform([&] { varnel::tool::updater::RefreshIncludeBlocks(document); });
}
