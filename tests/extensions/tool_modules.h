// The tool extensions of this build, loaded through the host's loader from Extensions/
// beside the test program, as the editor loads them; and a test document proxy.
#pragma once

#include "file_system.h"
#include "text_proxy.h"
#include "tool_loader.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {

inline const ToolSet& BuiltTools()
{
    static const ToolSet set = LoadToolExtensions(ExtensionsFolder(ExecutableFolder()));
    return set;
}

// Perform of the extension built as `name`; fails the test when it is missing.
inline PerformFn Perform(const std::string& name)
{
    const ToolExtension* tool = FindTool(BuiltTools(), name);
    if (tool == nullptr) {
        ADD_FAILURE() << "tool extension " << name << " was not loaded";
        return [](VTextProxy&) { return -100; };
    }
    return tool->perform;
}

// A document whose host refuses one kind of edit from its n-th call on (counted from 1)
// with its own code.
class RefusingProxy : public TextProxy {
public:
    enum class Edit { Insert, Delete, Select };

    RefusingProxy(const std::string& text, std::optional<std::string> path, Edit refused, int fromCall, int code)
        : TextProxy(text, std::move(path)), refused_(refused), fromCall_(fromCall), code_(code)
    {
    }

    int InsertText(int position, const char* text, int length) override
    {
        return Refuses(Edit::Insert) ? code_ : TextProxy::InsertText(position, text, length);
    }
    int DeleteText(int position, int length) override
    {
        return Refuses(Edit::Delete) ? code_ : TextProxy::DeleteText(position, length);
    }
    int Select(int start, int length) override
    {
        return Refuses(Edit::Select) ? code_ : TextProxy::Select(start, length);
    }

private:
    bool Refuses(Edit edit)
    {
        return edit == refused_ && ++calls_ >= fromCall_;
    }

    Edit refused_;
    int fromCall_;
    int code_;
    int calls_ = 0;
};

} // namespace varnel::test
