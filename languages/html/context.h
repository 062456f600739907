// What the text at an offset of an HTML page is: markup, JavaScript or PHP, and where
// the script region around it began.
#pragma once

#include "char_iterator.h"

enum class HtmlContext { Markup = 0, JavaScript = 1, Php = 2 };

struct ContextAt {
    HtmlContext context = HtmlContext::Markup;
    int regionStart = 0; // where the JavaScript or PHP region began
};

// Follows the page from its start up to `target` (capped at the text's end) with the
// styling machine, across line ends.
ContextAt FindContext(VLanguageProxyV2& document, int target);
