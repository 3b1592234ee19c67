#include "settings/JustifyText.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;

// One pixel per character keeps the arithmetic visible: the memo is `outer` pixels wide.
int CharacterCount(const QString& text) { return static_cast<int>(text.size()); }

TEST(JustifyText, SplitsAtBlanksButNotInsideMatchingQuotes) {
    EXPECT_EQ(JustifyText::Words(u"  a   b "_s), QStringList({u"a"_s, u"b"_s}));
    EXPECT_EQ(JustifyText::Words(u"\"Задать явно\" и 'x y'z"_s),
              QStringList({u"\"Задать явно\""_s, u"и"_s, u"'x y'z"_s}));
    EXPECT_EQ(JustifyText::Words(u"DD° MM' SS"_s), QStringList({u"DD°"_s, u"MM'"_s, u"SS"_s}));
}

TEST(JustifyText, HandsOutBlanksRoundRobinNeverToTheLastWord) {
    // "a b c" needs 5 + 1 + 12 < 22 pixels; blanks go to a, b, a, b ... until the next would reach 22.
    EXPECT_EQ(JustifyText::JustifyLine(u"a b c"_s, 22, CharacterCount), u"a   b   c"_s);
    EXPECT_EQ(JustifyText::JustifyLine(u"a b c"_s, 21, CharacterCount), u"a   b  c"_s);
    EXPECT_EQ(JustifyText::JustifyLine(u"single"_s, 100, CharacterCount), u"single"_s);
}

TEST(JustifyText, LeavesTheLastTwoLinesAndShortMemosAlone) {
    const QStringList memo{u"a b"_s, u"c d"_s, u"e f"_s};
    EXPECT_EQ(JustifyText::JustifyLines(memo, 18, CharacterCount), QStringList({u"a   b"_s, u"c d"_s, u"e f"_s}));
    const QStringList two{u"a b"_s, u"c d"_s};
    EXPECT_EQ(JustifyText::JustifyLines(two, 100, CharacterCount), two);
    EXPECT_EQ(JustifyText::JustifyLines({}, 100, CharacterCount), QStringList());
}

TEST(JustifyText, NeverGluesWordsOrLoopsForever) {
    // Too narrow for even one blank between every pair: the line stays as it was.
    EXPECT_EQ(JustifyText::JustifyLine(u"aaaa bbbb cccc"_s, 20, CharacterCount), u"aaaa bbbb cccc"_s);
    // A font in which blanks take no room.
    const auto blanksAreFree = [](const QString& text) { return static_cast<int>(QString(text).remove(u' ').size()); };
    EXPECT_EQ(JustifyText::JustifyLine(u"a b"_s, 100, blanksAreFree), u"a b"_s);
}

}  // namespace
