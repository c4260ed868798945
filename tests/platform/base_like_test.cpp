#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/like.h"
#include "platform/base/vb_error.h"

namespace vesdra {
namespace {

TEST(Like, PatternTable)
{
    const struct {
        const char* text;
        const char* pattern;
        bool match;
    } cases[] = {
        {"REL670", "REL670", true},
        {"rel670", "REL670", false}, // case counts
        {"REL670", "REL*", true},
        {"REL", "REL*", true},
        {"RE", "REL*", false},
        {"aXbXc", "*X*X*", true},
        {"abc", "a*c", true},
        {"abcbc", "a*bc", true},
        {"ab", "a*b*", true},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"a1", "a#", true},
        {"ax", "a#", false},
        {"b", "[abc]", true},
        {"d", "[abc]", false},
        {"m", "[a-z]", true},
        {"M", "[a-z]", false},
        {"d", "[!abc]", true},
        {"a", "[!abc]", false},
        {"*", "[*]", true},
        {"x", "[*]", false},
        {"#", "[#]", true},
        {"-", "[a-]", true},
        {"[", "[[]", true},
        {"a]", "a]", true},
        {"", "", true},
        {"", "*", true},
        {"x", "", false},
        {"C:\\dir\\", "*\\", true},
        {"C:\\dir", "*\\", false},
        {"P1 (ABC)", "P# (*)", true},
        {"", "[]", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Like(QString::fromLatin1(c.text), c.pattern), c.match) << c.text << " Like " << c.pattern;
}

TEST(Like, UnclosedOrReversedListIsAnInvalidPattern)
{
    for (const char* bad : {"[abc", "a[", "[z-a]"}) {
        try {
            (void)Like(u"a", bad);
            ADD_FAILURE() << bad;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, vberr::InvalidPatternString) << bad;
        }
    }
}

} // namespace
} // namespace vesdra
