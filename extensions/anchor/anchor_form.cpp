// The anchor dialog as a terminal form: the controls of its dialog resource, in order.
#include "anchor_resource.h"
#include "dialog_form.h"

namespace varnel::tool {

namespace {

constexpr FormControl kAnchorControls[] = {
    {ANCHOR_LINK_LABEL, FormControlKind::Label, "Anchor"},
    {ANCHOR_LINK, FormControlKind::Edit, ""},
    {ANCHOR_CHOOSE, FormControlKind::Action, "..."},
    {ANCHOR_NAME_LABEL, FormControlKind::Label, "Name"},
    {ANCHOR_NAME, FormControlKind::Edit, ""},
    {ANCHOR_TITLE_LABEL, FormControlKind::Label, "Text"},
    {ANCHOR_TITLE, FormControlKind::Edit, ""},
    {ANCHOR_CANCEL, FormControlKind::Dismiss, "Cancel"},
    {ANCHOR_OK, FormControlKind::Accept, "OK"},
};

constexpr DialogForm kAnchorForm = {ANCHOR_DIALOG, "Gorsetool", kAnchorControls,
                                    static_cast<int>(sizeof kAnchorControls / sizeof kAnchorControls[0])};

} // namespace

const DialogForm* FindDialogForm(int resourceId)
{
    return resourceId == ANCHOR_DIALOG ? &kAnchorForm : nullptr;
}

} // namespace varnel::tool
