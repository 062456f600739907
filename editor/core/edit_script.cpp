#include "edit_script.h"

#include "search_commands.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace varnel::editor {

std::string UnescapeTyped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'n' || next == 't' || next == '\\') {
                out += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

namespace {

using Operands = std::vector<std::string>;

// A whole number from 0 up, or nullopt.
std::optional<int> Number(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (errno != 0 || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

struct Step {
    ScriptContext& context;
    const Operands& operands;
    std::string error;
    bool usage = false;

    EditorDocument& Document() { return context.document; }
    bool Fail(std::string message)
    {
        error = std::move(message);
        return false;
    }
    // Operand `i` as a number, or a failure naming `what`.
    std::optional<int> NumberAt(std::size_t i, const char* what)
    {
        const std::optional<int> value = Number(operands[i]);
        if (!value) {
            Fail(std::string(what) + " must be a whole number from 0 up, not '" + operands[i] + "'");
            usage = true;
        }
        return value;
    }
    // A file offset as an offset in the buffer, or a failure when it lies outside the file.
    std::optional<int> BufferOffsetAt(std::size_t i, const char* what)
    {
        const std::optional<int> value = NumberAt(i, what);
        if (!value)
            return std::nullopt;
        if (static_cast<std::size_t>(*value) > Document().Text().FileSize()) {
            Fail(std::string(what) + " " + operands[i] + " lies outside the text (" +
                 std::to_string(Document().Text().FileSize()) + " bytes)");
            return std::nullopt;
        }
        return Document().Text().BufferOffset(static_cast<std::size_t>(*value));
    }
};

bool Line(Step& step)
{
    const std::optional<int> number = step.NumberAt(0, "N");
    if (!number)
        return false;
    if (*number < 1 || *number > step.Document().Text().LineCount())
        return step.Fail("the text has no line " + step.operands[0] + " (lines 1 to " +
                         std::to_string(step.Document().Text().LineCount()) + ")");
    GoToLine(step.Document(), *number);
    return true;
}

bool Caret(Step& step)
{
    const std::optional<int> offset = step.BufferOffsetAt(0, "OFFSET");
    if (!offset)
        return false;
    step.Document().SetCaret(*offset);
    return true;
}

bool Select(Step& step)
{
    const std::optional<int> start = step.NumberAt(0, "START");
    const std::optional<int> length = start ? step.NumberAt(1, "LENGTH") : std::nullopt;
    if (!length)
        return false;
    const TextBuffer& text = step.Document().Text();
    const long long end = static_cast<long long>(*start) + *length;
    if (static_cast<unsigned long long>(end) > text.FileSize())
        return step.Fail("the selection " + step.operands[0] + " " + step.operands[1] + " runs past the end of the text (" +
                         std::to_string(text.FileSize()) + " bytes)");
    step.Document().Select(text.BufferOffset(static_cast<std::size_t>(*start)),
                           text.BufferOffset(static_cast<std::size_t>(end)));
    return true;
}

bool Key(Step& step)
{
    std::string_view name = step.operands[0];
    const bool extend = name.substr(0, 6) == "shift-" && name != "shift-tab";
    if (extend)
        name.remove_prefix(6);
    EditorDocument& document = step.Document();
    if (const std::optional<Move> move = MoveNamed(name)) {
        MoveCaret(document, *move, extend, step.context.view);
        return true;
    }
    if (!extend) {
        if (name == "backspace") {
            document.Backspace();
            return true;
        }
        if (name == "delete") {
            document.DeleteForward();
            return true;
        }
        if (name == "tab") {
            Tab(document);
            return true;
        }
        if (name == "shift-tab") {
            ShiftTab(document, step.context.view.tabWidth);
            return true;
        }
    }
    step.usage = true;
    return step.Fail("no key '" + step.operands[0] + "'");
}

bool Type(Step& step)
{
    step.Document().Type(UnescapeTyped(step.operands[0]));
    return true;
}

bool Paste(Step& step)
{
    step.Document().ReplaceSelection(UnescapeTyped(step.operands[0]));
    return true;
}

bool Copy(Step& step)
{
    const Selection& selection = step.Document().GetSelection();
    step.context.clipboard = step.Document().Text().Copy(selection.Start(), selection.Length());
    return true;
}

bool Cut(Step& step)
{
    Copy(step);
    if (!step.Document().GetSelection().Empty())
        step.Document().ReplaceSelection({});
    return true;
}

bool Undo(Step& step)
{
    step.Document().Undo();
    return true;
}

bool Redo(Step& step)
{
    step.Document().Redo();
    return true;
}

bool BalanceCommand(Step& step)
{
    if (!Balance(step.Document(), step.context.language))
        step.context.warnings << "varnel: balance: no pair encloses the selection\n";
    return true;
}

bool Comment(Step& step, bool comment)
{
    if (!ToggleComment(step.Document(), step.context.language, comment))
        return step.Fail(step.context.language.plugin->name + " offers no commenting");
    return true;
}

bool CommentCommand(Step& step) { return Comment(step, true); }
bool UncommentCommand(Step& step) { return Comment(step, false); }

bool Tool(Step& step)
{
    const ToolExtension* tool = FindTool(step.context.tools, step.operands[0]);
    if (tool == nullptr)
        return step.Fail("no tool extension '" + step.operands[0] + "'");
    const int result = RunTool(step.Document(), *tool, step.context.filePath);
    if (result != 0)
        return step.Fail(tool->name + " answered " + std::to_string(result) + "; the text is left as it was");
    return true;
}

bool Save(Step& step)
{
    std::string reason;
    if (!step.context.save || !step.context.save(&reason))
        return step.Fail("cannot save: " + (reason.empty() ? std::string("no file to save to") : reason));
    return true;
}

bool PrintSelection(Step& step)
{
    const TextBuffer& text = step.Document().Text();
    const Selection& selection = step.Document().GetSelection();
    const int start = text.FileOffset(selection.Start());
    step.context.out << start << " " << text.FileOffset(selection.End()) - start << "\n";
    return true;
}

bool PrintLineStates(Step& step)
{
    EditorDocument& document = step.Document();
    const int lines = document.Text().LineCount();
    document.Styling().StyleThrough(lines - 1);
    for (int line = 0; line < lines; ++line)
        step.context.out << document.Text().EndState(line) << "\n";
    return true;
}

// A search for the operand: plain text with the typing escapes, or a pattern as it stands.
std::optional<Finder> MakeFinder(Step& step, bool regex)
{
    FindOptions options;
    options.regex = regex;
    std::string error;
    const std::string needle = regex ? step.operands[0] : UnescapeTyped(step.operands[0]);
    std::optional<Finder> finder = Finder::Make(needle, options, &error);
    if (!finder) {
        step.usage = true;
        step.Fail(error.empty() ? "not a pattern: " + step.operands[0] : error);
    }
    return finder;
}

bool Find(Step& step, bool regex)
{
    const std::optional<Finder> finder = MakeFinder(step, regex);
    if (!finder)
        return false;
    if (!FindAndSelect(step.Document(), *finder))
        step.context.warnings << "varnel: find: '" << step.operands[0] << "' not found\n";
    return true;
}

bool FindText(Step& step) { return Find(step, false); }
bool FindPattern(Step& step) { return Find(step, true); }

bool ReplaceEvery(Step& step, bool regex)
{
    const std::optional<Finder> finder = MakeFinder(step, regex);
    if (!finder)
        return false;
    if (ReplaceAll(step.Document(), *finder, UnescapeTyped(step.operands[1])) == 0)
        step.context.warnings << "varnel: replace-all: '" << step.operands[0] << "' not found\n";
    return true;
}

bool ReplaceText(Step& step) { return ReplaceEvery(step, false); }
bool ReplacePattern(Step& step) { return ReplaceEvery(step, true); }

struct CommandInfo {
    std::string_view name;
    std::size_t operands;
    bool (*run)(Step&);
};

constexpr CommandInfo kCommands[] = {
    {"line", 1, Line},
    {"caret", 1, Caret},
    {"select", 2, Select},
    {"key", 1, Key},
    {"type", 1, Type},
    {"paste", 1, Paste},
    {"cut", 0, Cut},
    {"copy", 0, Copy},
    {"undo", 0, Undo},
    {"redo", 0, Redo},
    {"balance", 0, BalanceCommand},
    {"comment", 0, CommentCommand},
    {"uncomment", 0, UncommentCommand},
    {"find", 1, FindText},
    {"find-regex", 1, FindPattern},
    {"replace-all", 2, ReplaceText},
    {"replace-all-regex", 2, ReplacePattern},
    {"tool", 1, Tool},
    {"save", 0, Save},
    {"print-selection", 0, PrintSelection},
    {"print-line-states", 0, PrintLineStates},
};

} // namespace

std::optional<ScriptError> RunEditScript(const std::vector<std::string>& words, ScriptContext& context)
{
    std::size_t position = 0;
    for (std::size_t i = 0; i < words.size();) {
        ++position;
        const std::string& name = words[i];
        const CommandInfo* command = nullptr;
        for (const CommandInfo& candidate : kCommands) {
            if (candidate.name == name)
                command = &candidate;
        }
        if (command == nullptr)
            return ScriptError{position, name, "no such command", true};
        if (words.size() - i - 1 < command->operands)
            return ScriptError{position, name,
                               "needs " + std::to_string(command->operands) + " operand" + (command->operands > 1 ? "s" : ""),
                               true};
        const Operands operands(words.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                words.begin() + static_cast<std::ptrdiff_t>(i + 1 + command->operands));
        Step step{context, operands, {}};
        if (!command->run(step))
            return ScriptError{position, name, step.error, step.usage};
        i += 1 + command->operands;
    }
    return std::nullopt;
}

} // namespace varnel::editor
