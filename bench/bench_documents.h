// Generated documents for the benchmarks, of any size.
#pragma once

#include <string>

namespace varnel::bench {

// A Java file of about `bytes` bytes: one class holding methods, fields, comments and
// literals, nested classes now and then.
inline std::string JavaDocument(int bytes)
{
    std::string text = "package bench;\n\npublic class Generated extends Base {\n";
    for (int i = 0; static_cast<int>(text.size()) < bytes; ++i) {
        const std::string n = std::to_string(i);
        text += "    /* method " + n + " { */\n";
        text += "    private int field" + n + " = compute(" + n + ", \"(\" + ')'); // }\n";
        text += "    public void method" + n + "(int a, String[] b) throws Exception {\n";
        text += "        if (a > " + n + ") { call(b[0], \"}\"); } else { other(a); }\n";
        text += "    }\n";
        if (i % 50 == 0)
            text += "    static class Inner" + n + " implements Runnable { public void run() { } }\n";
    }
    return text + "}\n";
}

// A Python file of about `bytes` bytes: imports, classes, methods, docstrings, comments.
inline std::string PythonDocument(int bytes)
{
    std::string text = "import os, sys as system\nfrom collections import OrderedDict\n\n";
    for (int i = 0; static_cast<int>(text.size()) < bytes; ++i) {
        const std::string n = std::to_string(i);
        text += "class Shape" + n + "(Base):\n";
        text += "    \"\"\"A shape, def not_a_function(): number " + n + ".\"\"\"\n";
        text += "    def area(self, scale=(1, 2), names=['a', \"b\"]):  # (\n";
        text += "        return self.width * scale[0] + " + n + "\n\n";
    }
    return text;
}

} // namespace varnel::bench
