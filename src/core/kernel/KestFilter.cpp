#include "core/kernel/KestFilter.h"

#include "core/kernel/KestError.h"

#include <cmath>
#include <optional>

// A compiled expression is a tree of these. Fields are resolved to their slots and numbers
// to doubles while compiling, so matching a row does no text work for number fields.
struct TKestFilter::Node {
    virtual ~Node() = default;
    virtual bool matches(const TableRow& row) const = 0;
};

namespace {

using Node = TKestFilter::Node;
using NodePtr = std::unique_ptr<Node>;

// Nesting of parentheses and NOT beyond this is refused rather than risking the stack.
constexpr int MaxDepth = 200;

enum class Op { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };

// Whether a three-way comparison result (negative, zero, positive) satisfies the operator.
bool holds(Op op, int order)
{
    switch (op) {
    case Op::Equal:
        return order == 0;
    case Op::NotEqual:
        return order != 0;
    case Op::Less:
        return order < 0;
    case Op::Greater:
        return order > 0;
    case Op::LessEqual:
        return order <= 0;
    case Op::GreaterEqual:
        return order >= 0;
    }
    return false;
}

// AND (every part holds) or OR (some part holds), stopping at the first part that decides.
class Junction : public Node {
public:
    Junction(bool all, std::vector<NodePtr> parts)
        : m_all(all)
        , m_parts(std::move(parts))
    {}
    bool matches(const TableRow& row) const override
    {
        for (const NodePtr& part : m_parts) {
            if (part->matches(row) != m_all)
                return !m_all;
        }
        return m_all;
    }

private:
    bool m_all;
    std::vector<NodePtr> m_parts;
};

class Negation : public Node {
public:
    explicit Negation(NodePtr operand)
        : m_operand(std::move(operand))
    {}
    bool matches(const TableRow& row) const override { return !m_operand->matches(row); }

private:
    NodePtr m_operand;
};

class NumberComparison : public Node {
public:
    NumberComparison(int slot, Op op, double value)
        : m_slot(slot)
        , m_op(op)
        , m_value(value)
    {}
    bool matches(const TableRow& row) const override
    {
        double value = row.numbers[m_slot];
        if (std::isnan(value))
            value = 0; // an empty number compares as 0
        return holds(m_op, (value > m_value) - (value < m_value));
    }

private:
    int m_slot;
    Op m_op;
    double m_value;
};

class TextComparison : public Node {
public:
    TextComparison(int slot, Op op, const QString& value)
        : m_slot(slot)
        , m_op(op)
        , m_value(value.trimmed())
    {}
    bool matches(const TableRow& row) const override
    {
        // Imported texts keep the blank after the results file's commas (" B"); the blanks
        // around a text are not part of its value, on either side of the comparison.
        return holds(
            m_op, QStringView(row.texts[m_slot]).trimmed().compare(m_value, Qt::CaseInsensitive));
    }

private:
    int m_slot;
    Op m_op;
    QString m_value;
};

class PrefixMatch : public Node {
public:
    PrefixMatch(int slot, const QString& prefix, bool negated)
        : m_slot(slot)
        , m_prefix(prefix.trimmed())
        , m_negated(negated)
    {}
    bool matches(const TableRow& row) const override
    {
        // A null text starts with no prefix in Qt's eyes, not even with the empty one.
        const bool starts =
            m_prefix.isEmpty() ||
            QStringView(row.texts[m_slot]).trimmed().startsWith(m_prefix, Qt::CaseInsensitive);
        return starts != m_negated;
    }

private:
    int m_slot;
    QString m_prefix;
    bool m_negated;
};

struct Token {
    enum Kind { End, Word, Quoted, BracketedName, Operator, Open, Close, Other };
    Kind kind = End;
    QString text; // a quoted value or bracketed name without its delimiters
    int pos = 0;  // offset of the token's first character in the expression
};

QString positionOf(int pos)
{
    return QString("at position %1").arg(pos + 1);
}

// Characters of names, keywords and unquoted numbers.
bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == '_' || c == '.' || c == '+' || c == '-';
}

std::vector<Token> tokenize(const QString& expression)
{
    std::vector<Token> tokens;
    const int length = int(expression.size());
    int i = 0;
    while (true) {
        while (i < length && expression[i].isSpace())
            ++i;
        if (i == length)
            break;
        const int start = i;
        const QChar c = expression[i];
        if (c == '\'') {
            const int end = int(expression.indexOf('\'', start + 1));
            if (end < 0) {
                throw TKestError(
                    QString("Unbalanced quote: the quote %1 is not closed").arg(positionOf(start)));
            }
            tokens.push_back({Token::Quoted, expression.mid(start + 1, end - start - 1), start});
            i = end + 1;
        } else if (c == '[') {
            const int end = int(expression.indexOf(']', start + 1));
            if (end < 0)
                throw TKestError(QString("Missing \"]\" for the \"[\" %1").arg(positionOf(start)));
            const QString name = expression.mid(start + 1, end - start - 1).trimmed();
            tokens.push_back({Token::BracketedName, name, start});
            i = end + 1;
        } else if (c == '<' || c == '>' || c == '=') {
            const QChar next = i + 1 < length ? expression[i + 1] : QChar();
            const bool pair =
                (c == '<' && (next == '>' || next == '=')) || (c == '>' && next == '=');
            i += pair ? 2 : 1;
            tokens.push_back({Token::Operator, expression.mid(start, i - start), start});
        } else if (c == '(' || c == ')') {
            tokens.push_back({c == '(' ? Token::Open : Token::Close, c, start});
            ++i;
        } else if (isWordChar(c)) {
            while (i < length && isWordChar(expression[i]))
                ++i;
            tokens.push_back({Token::Word, expression.mid(start, i - start), start});
        } else {
            tokens.push_back({Token::Other, c, start});
            ++i;
        }
    }
    tokens.push_back({Token::End, {}, length});
    return tokens;
}

// A finite number in the C locale's notation, or nothing.
std::optional<double> readNumber(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

Op operatorOf(const QString& text)
{
    if (text == "=")
        return Op::Equal;
    if (text == "<>")
        return Op::NotEqual;
    if (text == "<")
        return Op::Less;
    if (text == ">")
        return Op::Greater;
    if (text == "<=")
        return Op::LessEqual;
    return Op::GreaterEqual;
}

// Recursive descent over the grammar in KestFilter.h.
class Parser {
public:
    Parser(const QString& expression, const TableSchema& schema)
        : m_tokens(tokenize(expression))
        , m_schema(schema)
    {}

    NodePtr parse()
    {
        if (peek().kind == Token::End)
            throw TKestError("The filter expression is empty");
        NodePtr root = parseOr();
        if (peek().kind == Token::Close) {
            throw TKestError(QString("Unbalanced parenthesis: the \")\" %1 has no \"(\"")
                                 .arg(positionOf(peek().pos)));
        }
        if (peek().kind != Token::End)
            fail("Expected AND or OR", peek());
        return root;
    }

private:
    NodePtr parseOr() { return parseJunction("OR", false, &Parser::parseAnd); }
    NodePtr parseAnd() { return parseJunction("AND", true, &Parser::parseNot); }

    // A chain of parts joined by one keyword; `all` makes it an AND, else an OR.
    NodePtr parseJunction(const char* keyword, bool all, NodePtr (Parser::*parsePart)())
    {
        std::vector<NodePtr> parts;
        parts.push_back((this->*parsePart)());
        while (takeKeyword(keyword))
            parts.push_back((this->*parsePart)());
        if (parts.size() == 1)
            return std::move(parts.front());
        return std::make_unique<Junction>(all, std::move(parts));
    }

    NodePtr parseNot()
    {
        const Token& start = peek();
        if (!takeKeyword("NOT"))
            return parsePrimary();
        enter(start);
        NodePtr operand = parseNot();
        --m_depth;
        return std::make_unique<Negation>(std::move(operand));
    }

    NodePtr parsePrimary()
    {
        if (peek().kind != Token::Open)
            return parseComparison();
        const Token open = take();
        enter(open);
        NodePtr inner = parseOr();
        if (peek().kind == Token::End) {
            throw TKestError(QString("Unbalanced parenthesis: the \"(\" %1 is not closed")
                                 .arg(positionOf(open.pos)));
        }
        if (peek().kind != Token::Close)
            fail("Expected AND, OR or \")\"", peek());
        take();
        --m_depth;
        return inner;
    }

    NodePtr parseComparison()
    {
        const Token name = take();
        if (!(name.kind == Token::BracketedName || (name.kind == Token::Word && !isKeyword(name))))
            fail("Expected a field name", name);
        const int field = m_schema.indexOf(name.text);
        if (field < 0) {
            throw TKestError(
                QString("Unknown field \"%1\" %2").arg(name.text, positionOf(name.pos)));
        }
        const Token op = take();
        if (op.kind != Token::Operator)
            fail(QString("Expected an operator (=, <>, <, >, <=, >=) after %1").arg(name.text), op);
        const Token value = take();
        if (value.kind != Token::Quoted && !(value.kind == Token::Word && readNumber(value.text)))
            fail(QString("Expected a value in single quotes or a number after \"%1\"").arg(op.text),
                 value);
        return comparisonOf(field, operatorOf(op.text), value);
    }

    // The node comparing a field with a value: by number or text after the field's type.
    NodePtr comparisonOf(int field, Op comparison, const Token& value) const
    {
        const FieldDef& def = m_schema.fields[field];
        const int slot = m_schema.slotOf[field];
        const bool prefix = value.kind == Token::Quoted && value.text.endsWith('*');
        if (def.type == FieldType::Text) {
            if (!prefix)
                return std::make_unique<TextComparison>(slot, comparison, value.text);
            if (comparison != Op::Equal && comparison != Op::NotEqual) {
                throw TKestError(QString("The prefix match '%1' %2 needs = or <>")
                                     .arg(value.text, positionOf(value.pos)));
            }
            return std::make_unique<PrefixMatch>(slot, value.text.chopped(1),
                                                 comparison == Op::NotEqual);
        }
        if (prefix) {
            throw TKestError(QString("The prefix match '%1' %2 needs a text field, and %3 holds "
                                     "numbers")
                                 .arg(value.text, positionOf(value.pos), def.name));
        }
        const std::optional<double> number = readNumber(value.text);
        if (!number) {
            throw TKestError(QString("The value '%1' %2 is not a number, and %3 holds numbers")
                                 .arg(value.text, positionOf(value.pos), def.name));
        }
        return std::make_unique<NumberComparison>(slot, comparison, *number);
    }

    const Token& peek() const { return m_tokens[m_next]; }

    Token take()
    {
        const Token& token = m_tokens[m_next];
        if (token.kind != Token::End)
            ++m_next;
        return token;
    }

    static bool isKeyword(const Token& token)
    {
        return token.kind == Token::Word && (token.text.compare("AND", Qt::CaseInsensitive) == 0 ||
                                             token.text.compare("OR", Qt::CaseInsensitive) == 0 ||
                                             token.text.compare("NOT", Qt::CaseInsensitive) == 0);
    }

    bool takeKeyword(const char* keyword)
    {
        if (peek().kind != Token::Word ||
            peek().text.compare(QLatin1String(keyword), Qt::CaseInsensitive) != 0)
            return false;
        take();
        return true;
    }

    void enter(const Token& at)
    {
        if (++m_depth > MaxDepth)
            fail("Parentheses and NOT are nested too deeply", at);
    }

    [[noreturn]] static void fail(const QString& what, const Token& found)
    {
        if (found.kind == Token::End)
            throw TKestError(what + " at the end of the expression");
        const QString shown = found.kind == Token::Quoted          ? "'" + found.text + "'"
                              : found.kind == Token::BracketedName ? "[" + found.text + "]"
                                                                   : found.text;
        throw TKestError(QString("%1 %2, found \"%3\"").arg(what, positionOf(found.pos), shown));
    }

    std::vector<Token> m_tokens;
    size_t m_next = 0;
    const TableSchema& m_schema;
    int m_depth = 0;
};

} // namespace

TKestFilter::TKestFilter() = default;
TKestFilter::~TKestFilter() = default;
TKestFilter::TKestFilter(TKestFilter&&) noexcept = default;
TKestFilter& TKestFilter::operator=(TKestFilter&&) noexcept = default;

TKestFilter TKestFilter::compile(const QString& expression, const TableSchema& schema)
{
    TKestFilter filter;
    filter.m_root = Parser(expression, schema).parse();
    return filter;
}

bool TKestFilter::matches(const TableRow& row) const
{
    // A filter that holds no expression lets every row through.
    return !m_root || m_root->matches(row);
}
