// The TeX constructs whose text is taken literally.
#pragma once

constexpr const char kTexVerb[] = "\\verb";
constexpr int kTexVerbLength = 5;
constexpr const char kTexBeginVerbatim[] = "\\begin{verbatim}";
constexpr int kTexBeginVerbatimLength = 16;
constexpr const char kTexEndVerbatim[] = "\\end{verbatim}";
constexpr int kTexEndVerbatimLength = 14;
