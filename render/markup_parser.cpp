#include "render/markup_parser.h"

#include "render/markup_commands.h"

#include <cctype>
#include <cstring>

namespace {

// Characters that end a command name (the space among them).
constexpr const char* kNameDelimiters = "\t \\{}()^_,[]<>.;:+-=*/|";
// Characters a backslash turns into themselves.
constexpr const char* kEscapable = "{}_$&#%";

bool IsWhite(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// Bytes in the UTF-8 sequence that starts with `lead`, so that one character
// of a non-ASCII text stays one element.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

class MathParser {
public:
    MathParser(std::string_view text, int size) : m_text(text), m_size(size) {}

    std::unique_ptr<TextElement> Parse() { return Sequence(0, m_text.size(), 0); }
    const MarkupFailure& Failure() const { return m_failure; }

private:
    std::unique_ptr<TextElement> Sequence(std::size_t begin, std::size_t end, int depth);
    bool Atom(std::size_t& pos, std::size_t end, int depth, std::unique_ptr<TextElement>& out);
    bool Group(std::size_t& pos, std::size_t end, int depth, std::unique_ptr<TextElement>& out);
    bool Command(std::size_t& pos, std::size_t end, int depth, std::unique_ptr<TextElement>& out);
    bool Argument(std::size_t& pos, std::size_t end, int depth, std::unique_ptr<TextElement>& out,
                  const char* what);
    void SkipWhite(std::size_t& pos, std::size_t end) const
    {
        while (pos < end && IsWhite(m_text[pos]))
            ++pos;
    }
    bool Fail(const char* reason, std::size_t pos, std::size_t length = 1)
    {
        m_failure.reason = reason;
        m_failure.position = pos;
        m_failure.token = std::string(m_text.substr(pos, length));
        return false;
    }

    std::string_view m_text;
    int m_size;
    MarkupFailure m_failure;
};

std::unique_ptr<TextElement> MathParser::Sequence(std::size_t begin, std::size_t end, int depth)
{
    std::size_t pos = begin;
    SkipWhite(pos, end);
    if (pos >= end)
        return std::make_unique<TextElement>("", m_size, kFontUpright);
    std::unique_ptr<TextElement> root;
    TextElement* tail = nullptr;
    // Atoms follow one another through slot 2; the loop keeps the depth of
    // the recursion to the nesting of braces, however long the passage is.
    while (pos < end) {
        std::unique_ptr<TextElement> atom;
        if (!Atom(pos, end, depth, atom))
            return nullptr;
        // Scripts of a group belong to its last element, so that {ab}^2
        // raises the 2 after the b.
        TextElement* target = atom->Last();
        bool superscript = false;
        bool subscript = false;
        SkipWhite(pos, end);
        while (pos < end && (m_text[pos] == '^' || m_text[pos] == '_')) {
            const bool up = m_text[pos] == '^';
            const std::size_t at = pos;
            if (up ? superscript : subscript) {
                Fail(up ? "second superscript" : "second subscript", at);
                return nullptr;
            }
            ++pos;
            SkipWhite(pos, end);
            std::unique_ptr<TextElement> argument;
            if (!Argument(pos, end, depth, argument, "script argument missing"))
                return nullptr;
            const int slot = up ? ((target->m_flags & kTextLimitsAbove) ? kSlotAbove : kSlotSuperscript)
                                : ((target->m_flags & kTextLimitsBelow) ? kSlotBelow : kSlotSubscript);
            if (target->Child(slot)) {
                Fail("script slot already taken", at);
                return nullptr;
            }
            Attach(*target, slot, std::move(argument), 0.75);
            (up ? superscript : subscript) = true;
            SkipWhite(pos, end);
        }
        TextElement* last = atom->Last();
        if (!root)
            root = std::move(atom);
        else
            tail->m_children[kSlotNext] = std::move(atom);
        tail = last;
    }
    return root;
}

bool MathParser::Argument(std::size_t& pos, std::size_t end, int depth,
                          std::unique_ptr<TextElement>& out, const char* what)
{
    if (pos >= end)
        return Fail(what, pos, 0);
    return Atom(pos, end, depth, out);
}

bool MathParser::Atom(std::size_t& pos, std::size_t end, int depth,
                      std::unique_ptr<TextElement>& out)
{
    const char c = m_text[pos];
    if (c == '\\') {
        if (pos + 1 < end && std::strchr(kEscapable, m_text[pos + 1])) {
            out = std::make_unique<TextElement>(std::string(1, m_text[pos + 1]), m_size,
                                                kFontUpright);
            pos += 2;
            return true;
        }
        return Command(pos, end, depth, out);
    }
    if (c == '{')
        return Group(pos, end, depth, out);
    if (c == '^' || c == '_' || c == '}')
        return Fail("misplaced character", pos);
    const std::size_t length = std::min(SequenceLength(static_cast<unsigned char>(c)), end - pos);
    const bool letter = std::isalpha(static_cast<unsigned char>(c)) != 0 &&
                        static_cast<unsigned char>(c) < 0x80;
    out = std::make_unique<TextElement>(std::string(m_text.substr(pos, length)), m_size,
                                        letter ? kFontItalic : kFontUpright);
    pos += length;
    return true;
}

bool MathParser::Group(std::size_t& pos, std::size_t end, int depth,
                       std::unique_ptr<TextElement>& out)
{
    if (depth + 1 > kMaxMarkupNesting)
        return Fail("braces nested too deeply", pos);
    int open = 0;
    std::size_t close = pos;
    for (; close < end; ++close) {
        const char c = m_text[close];
        if (c == '\\') {
            ++close;
            continue;
        }
        if (c == '{')
            ++open;
        else if (c == '}' && --open == 0)
            break;
    }
    if (close >= end)
        return Fail("unclosed brace", pos);
    out = Sequence(pos + 1, close, depth + 1);
    if (!out)
        return false;
    pos = close + 1;
    return true;
}

bool MathParser::Command(std::size_t& pos, std::size_t end, int depth,
                         std::unique_ptr<TextElement>& out)
{
    const std::size_t start = pos;
    std::size_t nameEnd = pos + 1;
    while (nameEnd < end && !std::strchr(kNameDelimiters, m_text[nameEnd]))
        ++nameEnd;
    const std::string_view name = m_text.substr(pos + 1, nameEnd - pos - 1);
    const MarkupCommand* command = FindMarkupCommand(name);
    if (!command)
        return Fail("unknown command", start, nameEnd - start);
    pos = nameEnd;
    // The commands with arguments take braced groups only.
    auto braced = [&](std::unique_ptr<TextElement>& argument) {
        SkipWhite(pos, end);
        if (pos >= end || m_text[pos] != '{')
            return Fail("command argument missing", start, nameEnd - start);
        return Group(pos, end, depth, argument);
    };
    switch (command->kind) {
    case MarkupCommandKind::Character:
        out = std::make_unique<TextElement>(command->text, m_size, command->fontIndex);
        return true;
    case MarkupCommandKind::BigOperator:
        out = std::make_unique<TextElement>(command->text, m_size, command->fontIndex,
                                            command->flags);
        out->Scale(command->scale);
        return true;
    case MarkupCommandKind::Function:
        out = std::make_unique<TextElement>(std::string(name), m_size, kFontUpright,
                                            command->flags);
        return true;
    case MarkupCommandKind::Accent: {
        std::unique_ptr<TextElement> argument;
        if (!braced(argument))
            return false;
        if (argument->Child(kSlotAbove))
            return Fail("accent over an element that has one", start, nameEnd - start);
        Attach(*argument, kSlotAbove,
               std::make_unique<TextElement>(command->text, int(m_size * command->scale),
                                             command->fontIndex),
               1.0);
        out = std::move(argument);
        return true;
    }
    case MarkupCommandKind::Fraction: {
        std::unique_ptr<TextElement> numerator;
        std::unique_ptr<TextElement> denominator;
        if (!braced(numerator) || !braced(denominator))
            return false;
        out = std::make_unique<TextElement>("", m_size, kFontUpright, command->flags);
        Attach(*out, kSlotAbove, std::move(numerator), command->scale);
        Attach(*out, kSlotBelow, std::move(denominator), command->scale);
        return true;
    }
    case MarkupCommandKind::Stackrel: {
        std::unique_ptr<TextElement> top;
        std::unique_ptr<TextElement> base;
        if (!braced(top) || !braced(base))
            return false;
        if (base->Child(kSlotAbove))
            return Fail("stacked over an element that has something above", start,
                        nameEnd - start);
        Attach(*base, kSlotAbove, std::move(top), command->scale);
        out = std::move(base);
        return true;
    }
    }
    return Fail("unknown command", start, nameEnd - start);
}

} // namespace

std::unique_ptr<TextElement> ParseMath(std::string_view passage, int size, MarkupFailure* failure)
{
    MathParser parser(passage, size);
    std::unique_ptr<TextElement> tree = parser.Parse();
    if (!tree && failure)
        *failure = parser.Failure();
    return tree;
}

std::unique_ptr<TextElement> BuildTextTree(std::string_view text, int size)
{
    std::string line;
    line.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n')
            line += c;
    std::unique_ptr<TextElement> root;
    TextElement* tail = nullptr;
    auto append = [&](std::unique_ptr<TextElement> element) {
        TextElement* last = element->Last();
        if (!root)
            root = std::move(element);
        else
            tail->m_children[kSlotNext] = std::move(element);
        tail = last;
    };
    bool math = false;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const bool split = i == line.size() || (line[i] == '$' && (i == 0 || line[i - 1] != '\\'));
        if (!split)
            continue;
        const std::string_view passage = std::string_view(line).substr(begin, i - begin);
        if (math) {
            std::unique_ptr<TextElement> tree = ParseMath(passage, size);
            append(tree ? std::move(tree)
                        : std::make_unique<TextElement>(std::string(passage), size, kFontUpright));
        } else if (!passage.empty()) {
            append(std::make_unique<TextElement>(std::string(passage), size, kFontUpright));
        }
        math = !math;
        begin = i + 1;
    }
    if (!root)
        root = std::make_unique<TextElement>("", size, kFontUpright);
    return root;
}
