#include "pattern_search.h"

#include "hex_digit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace varnel {

namespace {

constexpr std::size_t kMaxExpression = 4096;
constexpr int kMaxDepth = 100;       // nested groups and alternatives
constexpr int kMaxCount = 1000;      // the largest number in "{n,m}"
constexpr std::size_t kMaxProgram = 10000; // instructions; also bounds the work of compiling

using ByteSet = Pattern::ByteSet;
using Op = Pattern::Op;

bool IsWordByte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsAsciiLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Adds the other case of every ASCII letter in the set.
void FoldCase(ByteSet& set)
{
    for (int c = 'a'; c <= 'z'; ++c) {
        const bool either = set[c] || set[c - 32];
        set[c] = set[c - 32] = either;
    }
}

bool IsSpaceByte(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

ByteSet ClassSet(char letter)
{
    ByteSet set(256, false);
    for (int c = 0; c < 256; ++c) {
        const auto b = static_cast<unsigned char>(c);
        switch (letter) {
        case 'd': case 'D': set[c] = b >= '0' && b <= '9'; break;
        case 'w': case 'W': set[c] = IsWordByte(b); break;
        default: set[c] = IsSpaceByte(b); break;
        }
        if (letter == 'D' || letter == 'W' || letter == 'S')
            set[c] = !set[c];
    }
    return set;
}

struct Node {
    enum Kind { Empty, Byte, Set, Begin, End, Word, NotWord, Concat, Alternate, Repeat } kind = Empty;
    unsigned char byte = 0;
    int set = 0;
    std::vector<int> children;
    int min = 0;
    int max = 0; // -1: no limit
    bool lazy = false;
};

// Recursive descent over the expression, building a tree of nodes.
class Parser {
public:
    Parser(std::string_view text, bool ignoreCase) : text_(text), ignoreCase_(ignoreCase) {}

    bool Parse(int* root)
    {
        return Alternation(root, 0) && pos_ == text_.size();
    }

    std::vector<Node> nodes;
    std::vector<ByteSet> sets;

private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek(std::size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }

    int Add(Node node)
    {
        nodes.push_back(std::move(node));
        return static_cast<int>(nodes.size() - 1);
    }

    int AddByte(unsigned char byte)
    {
        Node node;
        node.kind = Node::Byte;
        node.byte = byte;
        return Add(node);
    }

    // A byte of the expression's text: under ignoreCase, a letter matches both cases.
    int AddLiteral(unsigned char byte)
    {
        if (!ignoreCase_ || !IsAsciiLetter(byte))
            return AddByte(byte);
        const int lower = byte | 0x20;
        int& set = letterSets_[lower - 'a'];
        if (set < 0) {
            ByteSet both(256, false);
            both[lower] = both[lower - 32] = true;
            sets.push_back(std::move(both));
            set = static_cast<int>(sets.size() - 1);
        }
        Node node;
        node.kind = Node::Set;
        node.set = set;
        return Add(node);
    }

    int AddSet(ByteSet set)
    {
        sets.push_back(std::move(set));
        Node node;
        node.kind = Node::Set;
        node.set = static_cast<int>(sets.size() - 1);
        return Add(node);
    }

    bool Alternation(int* out, int depth)
    {
        if (depth > kMaxDepth)
            return false;
        Node alternate;
        alternate.kind = Node::Alternate;
        int branch = 0;
        if (!Sequence(&branch, depth))
            return false;
        alternate.children.push_back(branch);
        while (Peek() == '|' && !AtEnd()) {
            ++pos_;
            if (!Sequence(&branch, depth))
                return false;
            alternate.children.push_back(branch);
        }
        *out = alternate.children.size() == 1 ? alternate.children[0] : Add(alternate);
        return true;
    }

    bool Sequence(int* out, int depth)
    {
        Node concat;
        concat.kind = Node::Concat;
        while (!AtEnd() && Peek() != '|' && Peek() != ')') {
            int item = 0;
            if (!Quantified(&item, depth))
                return false;
            concat.children.push_back(item);
        }
        *out = Add(concat);
        return true;
    }

    // Reads "{n}", "{n,}" or "{n,m}" at the position; false (position unchanged) when
    // the brace does not start a count, so that it stands for itself.
    bool Count(int* min, int* max)
    {
        std::size_t p = pos_ + 1;
        auto number = [&](int* value) {
            const std::size_t first = p;
            long n = 0;
            while (p < text_.size() && text_[p] >= '0' && text_[p] <= '9') {
                n = n * 10 + (text_[p] - '0');
                if (n > kMaxCount)
                    n = kMaxCount + 1;
                ++p;
            }
            *value = static_cast<int>(n);
            return p > first;
        };
        if (!number(min))
            return false;
        *max = *min;
        if (p < text_.size() && text_[p] == ',') {
            ++p;
            if (!number(max))
                *max = -1;
        }
        if (p >= text_.size() || text_[p] != '}')
            return false;
        pos_ = p + 1;
        return true;
    }

    bool Quantified(int* out, int depth)
    {
        bool assertion = false;
        int atom = 0;
        if (!Atom(&atom, depth, &assertion))
            return false;
        int min = 0;
        int max = 0;
        const char c = Peek();
        if (c == '*') {
            min = 0, max = -1, ++pos_;
        } else if (c == '+') {
            min = 1, max = -1, ++pos_;
        } else if (c == '?') {
            min = 0, max = 1, ++pos_;
        } else if (c == '{' && Count(&min, &max)) {
            if (min > kMaxCount || max > kMaxCount || (max >= 0 && max < min))
                return false;
        } else {
            *out = atom;
            return true;
        }
        if (assertion)
            return false; // nothing to repeat
        Node repeat;
        repeat.kind = Node::Repeat;
        repeat.children.push_back(atom);
        repeat.min = min;
        repeat.max = max;
        if (Peek() == '?' && !AtEnd()) {
            repeat.lazy = true;
            ++pos_;
        }
        // A quantifier straight after another repeats nothing.
        const char next = Peek();
        if (!AtEnd() && (next == '*' || next == '+' || next == '?'))
            return false;
        *out = Add(repeat);
        return true;
    }

    bool Atom(int* out, int depth, bool* assertion)
    {
        const char c = Peek();
        ++pos_;
        switch (c) {
        case '(': {
            if (Peek() == '?') {
                if (Peek(1) != ':')
                    return false; // look-arounds and named groups are not supported
                pos_ += 2;
            }
            if (!Alternation(out, depth + 1) || Peek() != ')' || AtEnd())
                return false;
            ++pos_;
            return true;
        }
        case '[':
            return Class(out);
        case '.': {
            ByteSet set(256, true);
            set['\n'] = set['\r'] = false;
            *out = AddSet(std::move(set));
            return true;
        }
        case '^':
        case '$': {
            Node node;
            node.kind = c == '^' ? Node::Begin : Node::End;
            *out = Add(node);
            *assertion = true;
            return true;
        }
        case '\\':
            return Escape(out, assertion);
        case '*':
        case '+':
        case '?':
        case ')':
            return false;
        case '{': {
            int min = 0, max = 0;
            --pos_;
            const std::size_t here = pos_;
            if (Count(&min, &max))
                return false; // a count with nothing before it
            pos_ = here + 1;
            *out = AddLiteral('{');
            return true;
        }
        default:
            *out = AddLiteral(static_cast<unsigned char>(c));
            return true;
        }
    }

    // A character escape usable both outside and inside classes: its byte, or -1.
    int EscapedByte(char c)
    {
        switch (c) {
        case 't': return '\t';
        case 'n': return '\n';
        case 'r': return '\r';
        case 'f': return '\f';
        case 'v': return '\v';
        case '0': return Peek() >= '0' && Peek() <= '9' ? -1 : 0;
        case 'c': {
            const char letter = Peek();
            if (!((letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z')))
                return -1;
            ++pos_;
            return letter % 32;
        }
        case 'x': {
            const int high = HexDigitValue(Peek()), low = HexDigitValue(Peek(1));
            if (high < 0 || low < 0)
                return -1;
            pos_ += 2;
            return high * 16 + low;
        }
        default:
            if (c >= '1' && c <= '9')
                return -1; // back-references are not supported
            return static_cast<unsigned char>(c);
        }
    }

    bool Escape(int* out, bool* assertion)
    {
        if (AtEnd())
            return false;
        const char c = Peek();
        ++pos_;
        switch (c) {
        case 'd': case 'D': case 'w': case 'W': case 's': case 'S':
            *out = AddSet(ClassSet(c));
            return true;
        case 'b':
        case 'B': {
            Node node;
            node.kind = c == 'b' ? Node::Word : Node::NotWord;
            *out = Add(node);
            *assertion = true;
            return true;
        }
        case 'u': {
            int value = 0;
            for (int i = 0; i < 4; ++i) {
                const int digit = HexDigitValue(Peek(static_cast<std::size_t>(i)));
                if (digit < 0)
                    return false;
                value = value * 16 + digit;
            }
            pos_ += 4;
            *out = Utf8Sequence(value);
            return true;
        }
        default: {
            const int byte = EscapedByte(c);
            if (byte < 0)
                return false;
            *out = AddLiteral(static_cast<unsigned char>(byte));
            return true;
        }
        }
    }

    int Utf8Sequence(int value)
    {
        Node concat;
        concat.kind = Node::Concat;
        unsigned char bytes[3];
        int count = 0;
        if (value < 0x80) {
            bytes[count++] = static_cast<unsigned char>(value);
        } else if (value < 0x800) {
            bytes[count++] = static_cast<unsigned char>(0xC0 | (value >> 6));
            bytes[count++] = static_cast<unsigned char>(0x80 | (value & 0x3F));
        } else {
            bytes[count++] = static_cast<unsigned char>(0xE0 | (value >> 12));
            bytes[count++] = static_cast<unsigned char>(0x80 | ((value >> 6) & 0x3F));
            bytes[count++] = static_cast<unsigned char>(0x80 | (value & 0x3F));
        }
        for (int i = 0; i < count; ++i)
            concat.children.push_back(AddLiteral(bytes[i]));
        return Add(concat);
    }

    // One member of a class: a byte (into *byte) or a whole set merged into `set`.
    bool ClassMember(ByteSet& set, int* byte)
    {
        const char c = Peek();
        ++pos_;
        *byte = -1;
        if (c != '\\') {
            *byte = static_cast<unsigned char>(c);
            return true;
        }
        if (AtEnd())
            return false;
        const char e = Peek();
        ++pos_;
        if (e == 'd' || e == 'D' || e == 'w' || e == 'W' || e == 's' || e == 'S') {
            const ByteSet members = ClassSet(e);
            for (int i = 0; i < 256; ++i)
                set[i] = set[i] || members[i];
            return true;
        }
        *byte = e == 'b' ? '\b' : e == '-' ? '-' : EscapedByte(e);
        return *byte >= 0;
    }

    bool Class(int* out)
    {
        ByteSet set(256, false);
        bool negated = false;
        if (Peek() == '^' && !AtEnd()) {
            negated = true;
            ++pos_;
        }
        while (!AtEnd() && Peek() != ']') {
            int low = -1;
            if (!ClassMember(set, &low))
                return false;
            if (low >= 0 && Peek() == '-' && Peek(1) != ']' && pos_ + 1 < text_.size()) {
                ++pos_;
                int high = -1;
                if (!ClassMember(set, &high) || high < 0 || high < low)
                    return false;
                for (int b = low; b <= high; ++b)
                    set[b] = true;
            } else if (low >= 0) {
                set[low] = true;
            }
        }
        if (AtEnd())
            return false;
        ++pos_; // the closing "]"
        // A byte belongs when it equals a member up to case; a negated class refuses it then.
        if (ignoreCase_)
            FoldCase(set);
        if (negated)
            set.flip();
        *out = AddSet(std::move(set));
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool ignoreCase_;
    int letterSets_[26] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                           -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};

// Turns the tree into instructions for the matching machine.
class Compiler {
public:
    Compiler(const std::vector<Node>& nodes, std::vector<Pattern::Instruction>& program, bool multiline)
        : nodes_(nodes), program_(program), multiline_(multiline) {}

    bool Emit(int index)
    {
        // Nested counts of empty things emit nothing yet may take long: bound the calls too.
        if (program_.size() > kMaxProgram || ++calls_ > 4 * kMaxProgram)
            return false;
        const Node& node = nodes_[static_cast<std::size_t>(index)];
        switch (node.kind) {
        case Node::Empty: return true;
        case Node::Byte: Push({Op::Byte, node.byte}); return true;
        case Node::Set: Push({Op::Set, 0, node.set}); return true;
        case Node::Begin: Push({multiline_ ? Op::AssertLineBegin : Op::AssertBegin}); return true;
        case Node::End: Push({multiline_ ? Op::AssertLineEnd : Op::AssertEnd}); return true;
        case Node::Word: Push({Op::AssertWord}); return true;
        case Node::NotWord: Push({Op::AssertNotWord}); return true;
        case Node::Concat:
            for (int child : node.children) {
                if (!Emit(child))
                    return false;
            }
            return true;
        case Node::Alternate: return EmitAlternate(node);
        case Node::Repeat: return EmitRepeat(node);
        }
        return false;
    }

private:
    int Here() const { return static_cast<int>(program_.size()); }
    void Push(Pattern::Instruction instruction) { program_.push_back(instruction); }

    // A split that prefers the next instruction, or its other target when lazy.
    int PushSplit(bool lazy)
    {
        Push({Op::Split});
        const int at = Here() - 1;
        program_[static_cast<std::size_t>(at)].x = lazy ? -1 : at + 1;
        program_[static_cast<std::size_t>(at)].y = lazy ? at + 1 : -1;
        return at;
    }

    void PatchSplitExit(int split, int target)
    {
        Pattern::Instruction& instruction = program_[static_cast<std::size_t>(split)];
        (instruction.x == -1 ? instruction.x : instruction.y) = target;
    }

    bool EmitAlternate(const Node& node)
    {
        std::vector<int> jumps;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            const bool last = i + 1 == node.children.size();
            const int split = last ? -1 : PushSplit(false);
            if (!Emit(node.children[i]))
                return false;
            if (!last) {
                Push({Op::Jump});
                jumps.push_back(Here() - 1);
                PatchSplitExit(split, Here());
            }
        }
        for (int jump : jumps)
            program_[static_cast<std::size_t>(jump)].x = Here();
        return true;
    }

    bool EmitRepeat(const Node& node)
    {
        const int child = node.children[0];
        for (int i = 0; i < node.min; ++i) {
            if (!Emit(child))
                return false;
        }
        if (node.max < 0) {
            const int split = PushSplit(node.lazy);
            if (!Emit(child))
                return false;
            Push({Op::Jump, 0, split});
            PatchSplitExit(split, Here());
            return true;
        }
        std::vector<int> splits;
        for (int i = node.min; i < node.max; ++i) {
            splits.push_back(PushSplit(node.lazy));
            if (!Emit(child))
                return false;
        }
        for (int split : splits)
            PatchSplitExit(split, Here());
        return true;
    }

    const std::vector<Node>& nodes_;
    std::vector<Pattern::Instruction>& program_;
    bool multiline_;
    std::size_t calls_ = 0;
};

} // namespace

std::optional<Pattern> Pattern::Compile(std::string_view expression, const PatternOptions& options)
{
    if (expression.size() > kMaxExpression)
        return std::nullopt;
    Parser parser(expression, options.ignoreCase);
    int root = 0;
    if (!parser.Parse(&root))
        return std::nullopt;
    Pattern pattern;
    if (options.wholeWord)
        pattern.program_.push_back({Op::AssertNoWordBefore});
    Compiler compiler(parser.nodes, pattern.program_, options.multiline);
    if (!compiler.Emit(root) || pattern.program_.size() > kMaxProgram)
        return std::nullopt;
    if (options.wholeWord)
        pattern.program_.push_back({Op::AssertNoWordAfter});
    pattern.program_.push_back({Op::Match});
    pattern.sets_ = std::move(parser.sets);
    pattern.FindStartBytes();
    return pattern;
}

void Pattern::FindStartBytes()
{
    // Everything the start reaches without taking a byte, every assertion taken as
    // passed: the bytes that can begin a match, unless a match can be empty.
    std::vector<bool> seen(program_.size(), false);
    std::vector<int> stack{0};
    while (!stack.empty()) {
        const auto pc = static_cast<std::size_t>(stack.back());
        stack.pop_back();
        if (seen[pc])
            continue;
        seen[pc] = true;
        const Instruction& instruction = program_[pc];
        switch (instruction.op) {
        case Op::Byte:
            startBytes_[instruction.byte] = true;
            break;
        case Op::Set:
            for (int c = 0; c < 256; ++c)
                startBytes_[static_cast<std::size_t>(c)] =
                    startBytes_[static_cast<std::size_t>(c)] || sets_[static_cast<std::size_t>(instruction.x)][c];
            break;
        case Op::Split:
            stack.push_back(instruction.x);
            stack.push_back(instruction.y);
            break;
        case Op::Jump:
            stack.push_back(instruction.x);
            break;
        case Op::Match:
            return; // a match can be empty: every position may hold one
        default:
            stack.push_back(static_cast<int>(pc) + 1);
        }
    }
    skipStarts_ = true;
    // The literal bytes every match begins with, past any assertions at the start.
    for (const Instruction& instruction : program_) {
        if (instruction.op == Op::Byte)
            prefix_.push_back(static_cast<char>(instruction.byte));
        else if (instruction.op < Op::AssertBegin || instruction.op > Op::AssertNoWordAfter)
            break;
    }
    if (prefix_.size() < 2)
        prefix_.clear();
    for (int c = 0; c < 256; ++c) {
        if (startBytes_[static_cast<std::size_t>(c)]) {
            ++startByteCount_;
            onlyStartByte_ = static_cast<unsigned char>(c);
        }
    }
}

std::size_t Pattern::NextStart(std::string_view text, std::size_t at, std::size_t end) const
{
    if (at >= end)
        return end;
    if (!prefix_.empty()) {
        // A prefix that starts before `end` may run on past it.
        const std::size_t found = text.substr(0, end + prefix_.size() - 1).find(prefix_, at);
        return found < end ? found : end;
    }
    if (startByteCount_ == 1) {
        const void* found = std::memchr(text.data() + at, onlyStartByte_, end - at);
        return found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : end;
    }
    while (at < end && !startBytes_[static_cast<unsigned char>(text[at])])
        ++at;
    return at;
}

namespace {

struct Thread {
    int pc;
    std::size_t start;
};

// The threads alive at one position, in order of preference, each instruction once.
class ThreadList {
public:
    explicit ThreadList(std::size_t programSize) : seen_(programSize, SIZE_MAX) {}

    void Clear() { threads.clear(); }

    // Adds the thread and everything its jumps, splits and assertions lead to at
    // position `at` (whose list this is), in order of preference.
    void Add(const std::vector<Pattern::Instruction>& program, int pc, std::size_t start,
             std::string_view text, std::size_t at)
    {
        stack_.clear();
        stack_.push_back(pc);
        while (!stack_.empty()) {
            const int current = stack_.back();
            stack_.pop_back();
            if (seen_[static_cast<std::size_t>(current)] == at)
                continue;
            seen_[static_cast<std::size_t>(current)] = at;
            const Pattern::Instruction& instruction = program[static_cast<std::size_t>(current)];
            switch (instruction.op) {
            case Op::Jump:
                stack_.push_back(instruction.x);
                break;
            case Op::Split:
                stack_.push_back(instruction.y); // taken after everything x leads to
                stack_.push_back(instruction.x);
                break;
            case Op::AssertBegin:
                if (at == 0)
                    stack_.push_back(current + 1);
                break;
            case Op::AssertEnd:
                if (at == text.size())
                    stack_.push_back(current + 1);
                break;
            case Op::AssertLineBegin:
                if (at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r')
                    stack_.push_back(current + 1);
                break;
            case Op::AssertLineEnd:
                if (at == text.size() || text[at] == '\n' || text[at] == '\r')
                    stack_.push_back(current + 1);
                break;
            case Op::AssertWord:
            case Op::AssertNotWord: {
                const bool before = at > 0 && IsWordByte(static_cast<unsigned char>(text[at - 1]));
                const bool after = at < text.size() && IsWordByte(static_cast<unsigned char>(text[at]));
                if ((before != after) == (instruction.op == Op::AssertWord))
                    stack_.push_back(current + 1);
                break;
            }
            case Op::AssertNoWordBefore:
                if (at == 0 || !IsWholeWordByte(static_cast<unsigned char>(text[at - 1])))
                    stack_.push_back(current + 1);
                break;
            case Op::AssertNoWordAfter:
                if (at == text.size() || !IsWholeWordByte(static_cast<unsigned char>(text[at])))
                    stack_.push_back(current + 1);
                break;
            default:
                threads.push_back({current, start});
            }
        }
    }

    std::vector<Thread> threads;

private:
    std::vector<std::size_t> seen_;
    std::vector<int> stack_;
};

} // namespace

inline bool Pattern::Steps(const Instruction& instruction, char byte) const
{
    const auto b = static_cast<unsigned char>(byte);
    return instruction.op == Op::Byte ? b == instruction.byte : sets_[static_cast<std::size_t>(instruction.x)][b];
}

bool Pattern::Search(std::string_view text, std::size_t from, std::size_t* start, std::size_t* length) const
{
    return SearchStartingIn(text, from, text.size(), start, length);
}

bool Pattern::SearchStartingIn(std::string_view text, std::size_t from, std::size_t lastStart, std::size_t* start,
                               std::size_t* length) const
{
    lastStart = std::min(lastStart, text.size());
    if (from > lastStart)
        return false;
    ThreadList current(program_.size());
    ThreadList next(program_.size());
    bool found = false;
    for (std::size_t at = from;; ++at) {
        if (!found && at <= lastStart) {
            if (skipStarts_ && current.threads.empty()) {
                // Nothing alive: on to the next position that can begin a match.
                at = NextStart(text, at, std::min(lastStart + 1, text.size()));
                if (at > lastStart || at >= text.size())
                    break;
            }
            current.Add(program_, 0, at, text, at);
        } else if (current.threads.empty()) {
            break;
        }
        next.Clear();
        for (const Thread& thread : current.threads) {
            const Instruction& instruction = program_[static_cast<std::size_t>(thread.pc)];
            if (instruction.op == Op::Match) {
                // Threads after this one are less preferred: this match beats them.
                found = true;
                *start = thread.start;
                *length = at - thread.start;
                break;
            }
            if (at >= text.size())
                continue;
            if (Steps(instruction, text[at]))
                next.Add(program_, thread.pc + 1, thread.start, text, at + 1);
        }
        if (at >= text.size())
            break;
        std::swap(current, next);
    }
    return found;
}

} // namespace varnel
