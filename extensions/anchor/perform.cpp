// The anchor inserter's entry: runs the anchor dialog on the document.
#include "anchor_dialog.h"
#include "anchor_resource.h"
#include "host_error.h"
#include "tool_exports.h"

extern "C" int Perform(VTextProxy& document)
{
    return varnel::tool::RunPerform([&] {
        CAnchor dialog(document);
        dialog.DoModal(ANCHOR_DIALOG);
    });
}
