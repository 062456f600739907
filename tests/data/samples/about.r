#include "Types.r"

// The about box
resource 'STR ' (128, "About") {
    "Varnel modules"
};

type 'VERS' {
    byte;   /* major */
    hex string;
};
