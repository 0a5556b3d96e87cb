// The library's private regular-expression helper: a mask that cannot run must not pass the
// text through unmasked.
#include "RegexReplacer.h"

#include <gtest/gtest.h>

using namespace morvane::telemetry;

namespace {

bool anywhere(const icu::UnicodeString&, int, int)
{
    return true;
}

} // namespace

TEST(RegexReplacer, APatternThatDoesNotCompileGivesNoTextAtAll)
{
    const RegexReplacer broken(u"[0-9", u"<n>"); // what a missing ICU data file also gives
    const icu::UnicodeString secret(u"card 4111111111111111");
    EXPECT_EQ(broken.replaceAll(secret), std::nullopt);
    EXPECT_EQ(broken.replaceAll(secret, anywhere), std::nullopt);
    EXPECT_EQ(broken.replaceAllStartingAt(secret, {0, 5}), std::nullopt);
}

TEST(RegexReplacer, ReplacesOnlyMatchesThatStartAtTheGivenIndices)
{
    const RegexReplacer digits(u"[0-9]+", u"#");
    const icu::UnicodeString text(u"a12 b345 c6");
    EXPECT_EQ(digits.replaceAll(text), icu::UnicodeString(u"a# b# c#"));
    // 2 lies inside the match that starts at 1; 9 starts none.
    EXPECT_EQ(digits.replaceAllStartingAt(text, {1, 2, 9, 10}), icu::UnicodeString(u"a# b345 c#"));
}
