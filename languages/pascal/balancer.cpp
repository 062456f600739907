// The Pascal balancer reads the text as a stream of tokens (brackets and the block
// keywords; comments, strings and other words yield none) and parses the blocks they
// make. Blocks close innermost first, so the first block found around the selection is
// the innermost one. The open blocks are kept on a stack of their own, so that no depth
// of nesting can exhaust the call stack.
#include "balancer.h"

#include "char_iterator.h"
#include "characters.h"
#include "line_styler.h"

#include <string_view>
#include <vector>

namespace {

enum class Token { Other, OpenParen, CloseParen, OpenBracket, CloseBracket, Begin, End, Repeat, Until, Case, Of, Record };

struct BlockKeyword {
    std::string_view word;
    Token token;
};

constexpr BlockKeyword kBlockKeywords[] = {
    {"BEGIN", Token::Begin}, {"END", Token::End},   {"REPEAT", Token::Repeat}, {"UNTIL", Token::Until},
    {"CASE", Token::Case},   {"RECORD", Token::Record}, {"OF", Token::Of},
};

// The longest block keyword: longer words are none of them.
constexpr std::size_t kLongestKeyword = 6;

// The rules a block is read by: which tokens open blocks nested in it, and which
// token closes it.
enum class Rule { Parenthesis, Bracket, Begin, Record, Case, Repeat };

Token ClosingToken(Rule rule)
{
    switch (rule) {
    case Rule::Parenthesis: return Token::CloseParen;
    case Rule::Bracket: return Token::CloseBracket;
    case Rule::Repeat: return Token::Until;
    case Rule::Begin:
    case Rule::Record:
    case Rule::Case: break;
    }
    return Token::End;
}

// The rule of a block that `token` opens inside a block read by `rule` (or at the top
// level when there is none), if it opens one there.
bool NestedRule(const Rule* rule, Token token, Rule* nested)
{
    switch (token) {
    case Token::OpenParen: *nested = Rule::Parenthesis; return true;
    case Token::OpenBracket: *nested = Rule::Bracket; return true;
    default: break;
    }
    const bool statements = rule != nullptr && (*rule == Rule::Begin || *rule == Rule::Case || *rule == Rule::Repeat);
    if (token == Token::Begin && (rule == nullptr || statements)) {
        *nested = Rule::Begin;
        return true;
    }
    if (token == Token::Record && rule == nullptr) {
        *nested = Rule::Record;
        return true;
    }
    if (token == Token::Repeat && statements) {
        *nested = Rule::Repeat;
        return true;
    }
    if (token == Token::Case && statements) {
        *nested = Rule::Case;
        return true;
    }
    return false;
}

struct Block {
    Rule rule;
    int innerStart; // where the block's inside begins
};

class PascalBalancer {
public:
    PascalBalancer(VLanguageProxyV2& proxy, int* selStart, int* selEnd)
        : it_(proxy, 0), selStart_(selStart), selEnd_(selEnd)
    {
    }

    bool Run();

private:
    void ReadToken();
    // The token a word makes, called just past its first character: one of the block
    // keywords, or Other.
    Token WordToken(int first);
    void SkipPast(std::string_view closer);
    // At the closing token of the innermost block.
    void Close();

    CharIterator it_;
    Token token_ = Token::Other;
    int tokenStart_ = 0;
    int* selStart_;
    int* selEnd_;
    bool found_ = false;
    bool finished_ = false;
    std::vector<Block> blocks_;
};

bool PascalBalancer::Run()
{
    ReadToken();
    while (!finished_) {
        const Rule* rule = blocks_.empty() ? nullptr : &blocks_.back().rule;
        Rule nested;
        if (NestedRule(rule, token_, &nested)) {
            blocks_.push_back({nested, it_.offset});
            ReadToken();
        } else if (rule != nullptr && token_ == ClosingToken(*rule)) {
            Close();
        } else {
            if (rule != nullptr && *rule == Rule::Case && token_ == Token::Of)
                blocks_.back().innerStart = it_.offset;
            ReadToken();
        }
    }
    return found_;
}

void PascalBalancer::Close()
{
    const Block& block = blocks_.back();
    if (block.innerStart < tokenStart_ && block.innerStart <= *selStart_ && *selEnd_ <= tokenStart_) {
        *selStart_ = block.innerStart;
        *selEnd_ = tokenStart_;
        found_ = true;
        finished_ = true;
        return;
    }
    blocks_.pop_back();
    ReadToken();
}

void PascalBalancer::ReadToken()
{
    token_ = Token::Other;
    while (token_ == Token::Other && !finished_) {
        tokenStart_ = it_.offset;
        const int c = it_.ch;
        it_.Advance();
        switch (c) {
        case 0:
            finished_ = true;
            break;
        case '{':
            SkipPast("}");
            break;
        case '(':
            if (it_.ch == '*') {
                it_.Advance();
                SkipPast("*)");
            } else {
                token_ = Token::OpenParen;
            }
            break;
        case ')':
            token_ = Token::CloseParen;
            break;
        case '[':
            token_ = Token::OpenBracket;
            break;
        case ']':
            token_ = Token::CloseBracket;
            break;
        case '\'':
            SkipPast("'");
            break;
        default:
            if (IsPascalLetter(c) || c == '_')
                token_ = WordToken(c);
            break;
        }
    }
}

Token PascalBalancer::WordToken(int first)
{
    // The word's letters and "_" (a digit ends it), upper-cased. A word longer than the
    // longest keyword, or with a letter beyond ASCII, is none of them.
    char word[kLongestKeyword];
    std::size_t length = 0;
    bool keywordLike = true;
    int c = first;
    for (;;) {
        if (length < kLongestKeyword && c < 128)
            word[length++] = static_cast<char>(FoldCase(c, CaseFold::Upper));
        else
            keywordLike = false;
        if (!IsPascalLetter(it_.ch) && it_.ch != '_')
            break;
        c = it_.ch;
        it_.Advance();
    }
    if (!keywordLike)
        return Token::Other;
    const std::string_view text(word, length);
    for (const BlockKeyword& keyword : kBlockKeywords) {
        if (text == keyword.word)
            return keyword.token;
    }
    return Token::Other;
}

void PascalBalancer::SkipPast(std::string_view closer)
{
    while (it_.ch != 0) {
        if (it_.ch == closer[0] && (closer.size() == 1 || it_.proxy->CompareText(it_.offset, closer.data(), true) == 0)) {
            it_.Advance(static_cast<int>(closer.size()));
            return;
        }
        it_.Advance();
    }
}

} // namespace

bool BalancePascal(VLanguageProxy& document, int* selStart, int* selEnd)
{
    VLanguageProxyV2* proxy = AsProxyV2(document);
    if (proxy == nullptr || selStart == nullptr || selEnd == nullptr)
        return false;
    PascalBalancer balancer(*proxy, selStart, selEnd);
    return balancer.Run();
}
