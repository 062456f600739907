// Where dialogs are shown on a terminal: each dialog resource has a form, a list of its
// controls in order. The form asks for each action button's input (a file path for a
// "choose a file" button), then for every edit field with its current text as the
// default, then whether to accept or dismiss. Answers are read one per line; an empty
// answer keeps the default, "-" empties a field, and the end of the input dismisses.
#pragma once

#include <istream>
#include <ostream>

namespace varnel::tool {

enum class FormControlKind {
    Label,   // names the edit field after it
    Edit,
    Action,  // a button that opens a chooser
    Accept,  // the default button
    Dismiss, // the cancel button
};

struct FormControl {
    int id;
    FormControlKind kind;
    const char* text;
};

struct DialogForm {
    int resourceId;
    const char* caption;
    const FormControl* controls;
    int count;
};

// Defined by every extension that shows dialogs: the form of a dialog resource, or null.
const DialogForm* FindDialogForm(int resourceId);

// Where forms read their answers and write their prompts (standard input and standard
// error by default; prompts only when the input is a terminal).
void SetFormStreams(std::istream& input, std::ostream& prompts, bool showPrompts);

} // namespace varnel::tool
