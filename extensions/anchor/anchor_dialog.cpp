#include "anchor_dialog.h"

#include "anchor_resource.h"
#include "anchor_tag.h"
#include "anchor_texts.h"
#include "host_error.h"
#include "path_routines.h"

using namespace varnel::tool;
using namespace varnel::tool::anchor;

CAnchor::CAnchor(VTextProxy& document) : TPluginDialog(document, true)
{
}

void CAnchor::OnInitDialog()
{
    TPluginDialog::OnInitDialog();
    SetItemText(ANCHOR_LINK, kDefaultLink);
    const std::optional<TagRange> tag = LocateAnchorTag(document_);
    if (!tag)
        return;
    // OK replaces what is selected: when the host refuses to select the old tag, the
    // selection is something else, and the dialog ends with the host's code before
    // anything can be edited.
    Check(document_.Select(tag->start - 1, tag->length + 2));
    editingExisting_ = true;
    const AnchorAttributes attributes = ReadAnchorAttributes(document_, *tag);
    if (attributes.href)
        SetItemText(ANCHOR_LINK, *attributes.href);
    if (attributes.name)
        SetItemText(ANCHOR_NAME, *attributes.name);
    if (attributes.title)
        SetItemText(ANCHOR_TITLE, *attributes.title);
}

void CAnchor::FileDropped(const std::string& path)
{
    std::string link = ToURLPath(path);
    std::string document;
    if (GetDocumentPath(document))
        MakeRelativePath(ToURLPath(document), ToURLPath(path), link);
    SetItemText(ANCHOR_LINK, link);
}

void CAnchor::OnCommand(int controlId)
{
    switch (controlId) {
    case ANCHOR_OK: {
        std::string href;
        std::string name;
        std::string title;
        GetItemText(ANCHOR_LINK, href);
        GetItemText(ANCHOR_NAME, name);
        GetItemText(ANCHOR_TITLE, title);
        ApplyAnchor(document_, BuildOpeningTag(href, name, title), editingExisting_);
        EndModal(0);
        break;
    }
    case ANCHOR_CANCEL:
        EndModal(1);
        break;
    case ANCHOR_CHOOSE: {
        std::string path;
        if (ChooseFile(kChooseFileTitle, kLinkFileFilter, path))
            FileDropped(path);
        break;
    }
    default:
        TPluginDialog::OnCommand(controlId);
        break;
    }
}
