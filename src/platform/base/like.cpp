#include "platform/base/like.h"

#include <vector>

#include "platform/base/vb_error.h"

namespace vesdra {

namespace {

struct Token {
    enum Kind { Literal, AnyOne, Digit, Star, List, Empty } kind{Literal};
    char16_t ch{0};
    bool negated{false};
    std::vector<std::pair<char16_t, char16_t>> ranges;

    [[nodiscard]] bool Matches(char16_t c) const
    {
        switch (kind) {
        case Literal:
            return c == ch;
        case AnyOne:
            return true;
        case Digit:
            return c >= u'0' && c <= u'9';
        case List: {
            bool in = false;
            for (const auto& [lo, hi] : ranges)
                if (c >= lo && c <= hi) {
                    in = true;
                    break;
                }
            return in != negated;
        }
        default:
            return false;
        }
    }
};

std::vector<Token> Parse(QStringView pattern)
{
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i].unicode();
        Token t;
        if (c == u'*') {
            if (!tokens.empty() && tokens.back().kind == Token::Star)
                continue;
            t.kind = Token::Star;
        } else if (c == u'?') {
            t.kind = Token::AnyOne;
        } else if (c == u'#') {
            t.kind = Token::Digit;
        } else if (c == u'[') {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0)
                throw VbError(vberr::InvalidPatternString);
            QStringView body = pattern.mid(i + 1, close - i - 1);
            i = close;
            if (body.isEmpty()) {
                t.kind = Token::Empty; // "[]" matches no character at all
                tokens.push_back(t);
                continue;
            }
            t.kind = Token::List;
            if (body.front() == u'!' && body.size() > 1) {
                t.negated = true;
                body = body.mid(1);
            }
            for (qsizetype k = 0; k < body.size(); ++k) {
                const char16_t lo = body[k].unicode();
                if (k + 2 < body.size() && body[k + 1] == u'-') {
                    const char16_t hi = body[k + 2].unicode();
                    if (hi < lo)
                        throw VbError(vberr::InvalidPatternString);
                    t.ranges.emplace_back(lo, hi);
                    k += 2;
                } else {
                    t.ranges.emplace_back(lo, lo);
                }
            }
        } else {
            t.ch = c;
        }
        tokens.push_back(t);
    }
    return tokens;
}

} // namespace

bool Like(QStringView text, QStringView pattern)
{
    const std::vector<Token> tokens = Parse(pattern);
    // Greedy matching with one backtrack point: the last '*' seen.
    std::size_t ti = 0;
    qsizetype si = 0;
    std::size_t starToken = tokens.size();
    qsizetype starText = 0;
    while (true) {
        while (ti < tokens.size() && tokens[ti].kind == Token::Empty)
            ++ti;
        if (ti < tokens.size() && tokens[ti].kind == Token::Star) {
            starToken = ti++;
            starText = si;
            continue;
        }
        if (si == text.size() && ti == tokens.size())
            return true;
        if (si < text.size() && ti < tokens.size() && tokens[ti].Matches(text[si].unicode())) {
            ++si;
            ++ti;
            continue;
        }
        if (starToken == tokens.size() || starText >= text.size())
            return false;
        // Let the last '*' take one more character and try again.
        ti = starToken + 1;
        si = ++starText;
    }
}

} // namespace vesdra
