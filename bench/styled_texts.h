// The generated texts the styling benchmarks colour: a few lines of each language,
// repeated to any size.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace varnel::bench {

// The lines repeated until the text holds `size` bytes, each "#N" in them replaced by a
// running number so that names and strings differ from block to block.
inline std::string Repeat(const std::vector<const char*>& lines, std::size_t size)
{
    std::string text;
    text.reserve(size + 256);
    for (int n = 0; text.size() < size; ++n) {
        const std::string number = std::to_string(n);
        for (const char* source : lines) {
            std::string line = source;
            for (std::size_t mark = line.find("#N"); mark != std::string::npos; mark = line.find("#N", mark))
                line.replace(mark, 2, number);
            text += line;
            text += '\n';
        }
    }
    return text;
}

inline const std::vector<const char*> kShellLines = {
    "# build step #N",
    "for f in $SOURCES; do",
    "    if [ -f \"$f.o\" ]; then echo 'skip' \"$f\"; else cc -c \"$f\" -o obj#N.o; fi",
    "done",
    "case \"$1\" in start) run_server --port 80#N ;; *) usage ;; esac",
};

inline const std::vector<const char*> kJavaLines = {
    "/* Block #N of the generated",
    "   source, over two lines. */",
    "public static int compute#N(final java.util.List<String> items) {",
    "    char c = 'x'; String s = \"value \\\"#N\\\"\"; // trailing note",
    "    return items.size() + this.offset + '\\n';",
    "}",
};

inline const std::vector<const char*> kActionScriptLines = {
    "#include \"part#N.as\"",
    "onClipEvent (enterFrame) { this._alpha = Math.random() * 100; }",
    "var clip#N = _root.attachMovie('symbol', \"clip#N\", #N); /* depth */",
    "clip#N.gotoAndPlay(2); tellTarget (\"clip\") { play(); } // old style",
};

inline const std::vector<const char*> kPythonLines = {
    "def compute#N(items, factor=2):",
    "    \"\"\"Scale every item by the factor,",
    "    over two lines of documentation.\"\"\"",
    "    result = [len(str(x)) * factor for x in items if x is not None]  # note",
    "    return result + ['#N', \"text\", '''raw''']",
};

inline const std::vector<const char*> kPascalLines = {
    "{ Routine #N of the generated",
    "  program, over two lines. }",
    "procedure TShape.Draw#N(var canvas: TCanvas; x, y: Integer);",
    "begin (* draw it *) if x > #N then writeln('point ''#N''', x) else Draw(canvas, y) end;",
    "  s := \"text #N\"; case x of 1: y := 2 otherwise y := 3 end; REPEAT x := x - 1 UNTIL x = 0",
};

inline const std::vector<const char*> kRezLines = {
    "#include \"Types#N.r\"",
    "/* Resource #N of the generated",
    "   file, over two lines. */",
    "resource 'STR ' (#N, \"Name #N\", purgeable) { \"Varnel $$Date\" }; // note",
    "type 'VERS' { byte; hex string; integer = $$CountOf(list); wide array list { pstring; }; };",
};

inline const std::vector<const char*> kOberonLines = {
    "(* Block #N: a comment over two lines,",
    "   with (* a nested one *) inside. *)",
    "PROCEDURE (l: List) Sum#N*(VAR s: SET): INTEGER; <* $IF DEBUG *>",
    "BEGIN s := {0, 2..4}; Out.String(\"sum #N\"); RETURN ABS(l.value) + ORD('x')",
    "END Sum#N;",
};

inline const std::vector<const char*> kTexLines = {
    "\\section[Short #N]{A section with $x^#N$ in its title}\\label{sec:#N}",
    "Text with \\emph{emphasis}, a reference~\\ref{sec:#N} and \\(a_i + b_i\\) math. % note #N",
    "Display math $$ \\sum_{i=0}^{#N} i $$ and \\verb|{#N}| verbatim, \\% escaped & special # ~.",
    "\\begin{verbatim}",
    "  raw text #N, { $ % \\section{not} }",
    "\\end{verbatim}",
};

// The lines of a language by its name ("Oberon-2" for Oberon); null for a language
// without lines here.
inline const std::vector<const char*>* StyledLines(const std::string& language)
{
    struct Named {
        const char* name;
        const std::vector<const char*>* lines;
    };
    static const Named kAll[] = {
        {"Shell", &kShellLines},   {"Java", &kJavaLines},   {"ActionScript", &kActionScriptLines},
        {"Python", &kPythonLines}, {"Pascal", &kPascalLines}, {"Rez", &kRezLines},
        {"Oberon-2", &kOberonLines}, {"TeX", &kTexLines},
    };
    for (const Named& named : kAll) {
        if (language == named.name)
            return named.lines;
    }
    return nullptr;
}

} // namespace varnel::bench
