// CAnchor: the dialog that builds an anchor element, or edits the one the caret is in.
#pragma once

#include "plugin_dialog.h"

class CAnchor : public TPluginDialog {
public:
    explicit CAnchor(VTextProxy& document);

    // Fills the fields: the default link, or the values of the anchor tag the caret or
    // selection lies in (which is then selected, to be replaced on OK).
    void OnInitDialog() override;
    // The file as a link relative to the document (absolute for a never-saved one).
    void FileDropped(const std::string& path) override;
    // OK applies the element, Cancel closes, "..." chooses a file to link to.
    void OnCommand(int controlId) override;

private:
    bool editingExisting_ = false;
};
