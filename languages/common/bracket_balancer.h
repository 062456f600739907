// Widening a selection to the innermost pair of brackets that encloses it.
//
// The balancer walks the text twice from its start: up to the selection, remembering the
// openers not yet closed, one stack per bracket kind; then on from there, looking for the
// closer of the kind whose unclosed opener lies nearest before the selection start.
// Literals and comments are stepped over by a skip rule, which is what the languages
// differ in.
#pragma once

#include "char_iterator.h"
#include "language_proxy.h"

struct BracketKind {
    char opener;
    char closer;
};

// Moves the iterator on to the next character that matters: a bracket (when the
// iterator is already on one it stays there) or the end of the text (character 0).
using SkipRule = void (*)(CharIterator& it);

struct BalanceRules {
    SkipRule skip;
    const BracketKind* kinds;
    int kindCount;
};

// C-like text: parentheses, square brackets and braces; double- and single-quoted
// literals with backslash escapes, "/*" block comments and "//" line comments.
extern const BalanceRules kCLikeBalance;
// TeX: braces and square brackets; "%" comments, control symbols, "\verb" text and
// verbatim environments.
extern const BalanceRules kTexBalance;

void SkipCLike(CharIterator& it);
void SkipTex(CharIterator& it);

// On success sets *selStart just after the opening bracket and *selEnd on the closing
// one and answers true; otherwise answers false and leaves both as they were. The walk
// starts at `textStart` (brackets before it are not seen); every position is an offset
// into the whole text.
bool BalanceBrackets(VLanguageProxy& text, int* selStart, int* selEnd, const BalanceRules& rules,
                     int textStart = 0);
