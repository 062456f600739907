#include "Types.r"
#include <SysTypes.r>
#define kAboutID 128

/* Resource types of the about box.
   The version is kept in a type of its own. */
type 'VERS' {
    byte;                           /* major */
    byte;                           /* minor */
    hex string;                     // the text shown
};

type 'ABOX' {
    integer = $$CountOf(Lines);
    array Lines {
        pstring;
    };
    rect;
};

// The about box
resource 'STR ' (kAboutID, "About") {
    "Varnel modules"
};

resource 'VERS' (1, purgeable) {
    1, 2, "1.2 \"final\""
};

RESOURCE 'ABOX' (kAboutID) {
    {   "Built $$Date",
#if DEBUG
        "debug build { with braces }",
#endif
        'line'
    },
    {10, 10, 200, 300}
};

data 'TEXT' (200) {
    $"48 65 6C 6C 6F"
};
