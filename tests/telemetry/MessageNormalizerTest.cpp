#include <morvane/telemetry/Fingerprints.h>
#include <morvane/telemetry/MessageNormalizer.h>

#include "ReferenceNormalizer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <stdexcept>
#include <thread>

using namespace morvane::telemetry;

namespace {

struct NormalizeCase
{
    const char* message;
    std::optional<std::string> exceptionType;
    const char* expected;
};

void expectTemplates(std::initializer_list<NormalizeCase> cases)
{
    for (const NormalizeCase& c : cases)
        EXPECT_EQ(normalizeMessage(c.message, c.exceptionType), c.expected)
            << "message: \"" << c.message << "\"";
}

} // namespace

TEST(NormalizeMessage, MasksIdentifiersInOrder)
{
    expectTemplates({
        {"Timeout after 30000 ms for 3F2504E0-4F89-11D3-9A0C-0305E82C3301 at /var/tmp/x.db",
         {},
         "timeout after <n> ms for <uuid> at <path>"},
        // An eight-digit number is a hex word before it is a number.
        {"Disk error 12345678 and 1234 at 2024-05-01 10:00:00+02:00",
         {},
         "disk error <hex> and <n> at <ts>"},
        {"Error 404 not found for user 12", {}, "error 404 not found for user 12"},
        {"Mail to Bob.Smith+tag@Example.co.uk bounced", {}, "mail to <email> bounced"},
        {"Stamp 2024-05-01T10:00:00.123456Z and 2024-05-01 10:00:00-0700 seen",
         {},
         "stamp <ts> and <ts> seen"},
        {"Session mv_AbC-123_x expired", {}, "session <mv_id>_x expired"},
        {R"(open "/etc/passwd" failed; also C:\Users\Bob\a.txt, \\srv\share<x> and d:/x)",
         {},
         R"(open "<path>" failed; also <path>, <path><x> and <path>)"},
        // Hex words must stand alone; digits inside a word are left to the number rule.
        {"Blob DEADBEEFcafe vs 0xdeadbeef vs deadbeefz ok",
         {},
         "blob <hex> vs 0xdeadbeef vs deadbeefz ok"},
        // Patterns that touch the ends of the text.
        {"12345", {}, "<n>"},
        {"/tmp/a b 9999", {}, "<path> b <n>"},
        {"a@b.io", {"MailError"}, "<email> MailError"},
    });
}

TEST(NormalizeMessage, TreatsUnicodeDigitsSpacesAndCaseAsUnicode)
{
    expectTemplates({
        // Arabic-Indic and fullwidth digits are digits to the number rule, not to the hex rule.
        {"Code \u0661\u0662\u0663\u0664 and \uFF11\uFF12\uFF13\uFF14\uFF15 failed",
         {},
         "code <n> and <n> failed"},
        {"Code \u0661\u0662\u0663 failed", {}, "code \u0661\u0662\u0663 failed"},
        // No-break, em, ideographic, line and paragraph separators, NEL and vertical tab.
        {"\u00A0A\u00A0\u00A0b\u2003c\u3000d\u2028e\u2029f\u0085g\vh\r\n", {}, "a b c d e f g h"},
        // Lowercasing is locale-independent: dotted capital I keeps its dot as a mark.
        {"\u00C9CHEC \u0130stanbul STRASSE", {}, "\u00E9chec i\u0307stanbul strasse"},
    });
}

TEST(NormalizeMessage, ShortResultsTakeTheExceptionType)
{
    expectTemplates({
        {"Oops", {"URLError"}, "oops URLError"},
        {"Oops", {}, "oops"},
        {"Oops", {""}, "oops"},
        {"abcdefg", {"E"}, "abcdefg E"},
        {"abcdefgh", {"E"}, "abcdefgh"},
        {"   ", {}, "   "},
        {" \t\n ", {"URLError"}, "URLError"},
        {"", {"\t Decode Error \t"}, "Decode Error"},
        {"", {}, ""},
        // Seven user-perceived characters, fourteen code points: still short.
        {"e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301",
         {"E"},
         "e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301 E"},
        // Seven flags, each two code points and eight bytes.
        {"\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA\U0001F1EE\U0001F1F9\U0001F1EA\U0001F1F8"
         "\U0001F1F5\U0001F1F9\U0001F1EC\U0001F1E7\U0001F1EF\U0001F1F5",
         {"E"},
         "\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA\U0001F1EE\U0001F1F9\U0001F1EA\U0001F1F8"
         "\U0001F1F5\U0001F1F9\U0001F1EC\U0001F1E7\U0001F1EF\U0001F1F5 E"},
    });
}

TEST(NormalizeMessage, ReplacesInvalidUtf8AndStaysValid)
{
    EXPECT_EQ(normalizeMessage("bad \xC3\x28 byte and \xFF end"),
              "bad \uFFFD( byte and \uFFFD end");
}

TEST(CharacterCut, KeepsWholeGraphemeClustersAtTheLimit)
{
    const std::string head(255, 'a');
    const struct
    {
        std::string last;
    } clusters[] = {{"e\u0301\u0323"},                              // letter with two marks
                    {"\U0001F44D\U0001F3FD"},                       // thumbs up, skin tone
                    {"\U0001F468\u200D\U0001F469\u200D\U0001F467"}, // family (ZWJ sequence)
                    {"\U0001F1E9\U0001F1EA"}};                      // flag
    for (const auto& c : clusters) {
        const std::string text = head + c.last + "tail";
        EXPECT_EQ(characterCount(text), 260u) << c.last;
        EXPECT_EQ(prefixCharacters(text, maxTemplateCharacters), head + c.last) << c.last;
        EXPECT_EQ(prefixCharacters(head + c.last, maxTemplateCharacters), head + c.last);
    }
    EXPECT_EQ(prefixCharacters("short", maxTemplateCharacters), "short");
    EXPECT_EQ(prefixCharacters("abc", 0), "");
}

TEST(CharacterCut, TemplatesDifferingLateShareTheStoredTextButNotTheFingerprint)
{
    const std::string common(300, 'x');
    const std::string first = normalizeMessage(common + " one");
    const std::string second = normalizeMessage(common + " two");
    EXPECT_EQ(prefixCharacters(first, maxTemplateCharacters),
              prefixCharacters(second, maxTemplateCharacters));
    EXPECT_NE(computeFingerprint("app", "linux", "error", "io", first, std::nullopt),
              computeFingerprint("app", "linux", "error", "io", second, std::nullopt));
}

TEST(FrameDigest, CleansTheFirstThreeFrames)
{
    EXPECT_EQ(computeFrameDigest({"Store.save(_:) -> Bool", "Worker.run()"}), "ca84161b8d80");
    EXPECT_EQ(computeFrameDigest({" \tStore.save(_:)\t->  Bool\t", " WORKER.RUN() "}),
              "ca84161b8d80");
    EXPECT_EQ(computeFrameDigest({}), "e3b0c44298fc");
    // Greedy: from the first "(" to the last ")".
    EXPECT_EQ(computeFrameDigest({"Cache.get(key:) in Store.load(id:)"}), "431d173f996f");
    EXPECT_EQ(computeFrameDigest({"a", "b", "c", "d"}), computeFrameDigest({"a", "b", "c"}));
    EXPECT_NE(computeFrameDigest({"a", "b", "c"}), computeFrameDigest({"a", "b"}));
}

namespace app::store {
struct Store
{
    struct SaveError : std::runtime_error
    {
        SaveError() : std::runtime_error("save") {}
    };
};
template <typename T> struct Wrapped : std::exception
{
};
} // namespace app::store

TEST(TypeName, KeepsTheInnermostName)
{
    EXPECT_EQ(typeName(app::store::Store::SaveError()), "SaveError");
    EXPECT_EQ(typeName(std::runtime_error("x")), "runtime_error");
    EXPECT_EQ(typeName(app::store::Wrapped<app::store::Store>()), "Wrapped<app::store::Store>");

    const std::exception& asBase = app::store::Store::SaveError();
    EXPECT_EQ(typeName(asBase), "SaveError"); // the dynamic type, not the static one
    EXPECT_EQ(typeName(std::make_exception_ptr(app::store::Store::SaveError())), "SaveError");
    EXPECT_EQ(typeName(std::make_exception_ptr(42)), "int");
    EXPECT_EQ(typeName(std::exception_ptr()), "");

    EXPECT_EQ(innermostTypeName("Module.Outer.Inner"), "Inner");
    EXPECT_EQ(innermostTypeName("Plain"), "Plain");
    EXPECT_EQ(innermostTypeName("(anonymous namespace)::Local"), "Local");
}

// The library masks token by token and searches date-times only near colons; a plain
// whole-text implementation of the rules must give the same templates.
TEST(NormalizeMessage, AgreesWithAWholeTextImplementationOnRandomMessages)
{
    const std::vector<std::string> fragments = {
        "a", "Z", "g", "0", "7", "1234", "12345678", "deadbeef", "@", ".", ".io", "-", "_", "mv_",
        "/", "\\", ":", "T", "+", " ", "  ", "\t", "\n", "\u00A0", "\u2028", "\v", "\u0085", "\"",
        "'", "<", ">", ",", ";", "(", ")", "\u00E9", "e\u0301", "\u0130",
        "\u0661\u0662\u0663\u0664", "\U0001D7CE\U0001D7CF", "\U0001F600", "x@y.io", "a.b+c@",
        "2024-05-01", "10:00:00", ".123", "+02:00", "Z", "3F2504E0-4F89-11D3-9A0C-0305E82C3301",
        "C:", "\\\\", "mv_a-b", "10:", "AB:", "::", "2024-05-01 10:00:00", "2024-05-01T10:00:00.5Z",
        "1999-12-31 23:59:59+01:00", "2024-05-01 ", "0000-00-00T00:00:00-0000",
        // A date-time in non-BMP digits: two UTF-16 units per digit.
        "\U0001D7D0\U0001D7CE\U0001D7D0\U0001D7D2-\U0001D7CE\U0001D7D3-\U0001D7CE\U0001D7CF "
        "\U0001D7CF\U0001D7CE:\U0001D7CE\U0001D7CE:\U0001D7CE\U0001D7CE"};
    std::mt19937 random(20261205);
    for (int round = 0; round < 3000; ++round) {
        std::string message;
        const int pieces = static_cast<int>(random() % 24);
        for (int i = 0; i < pieces; ++i)
            message += fragments[random() % fragments.size()];
        const std::optional<std::string> type =
            round % 3 == 0 ? std::optional<std::string>("IOError") : std::nullopt;
        ASSERT_EQ(normalizeMessage(message, type), reference::normalizeMessage(message, type))
            << "message: \"" << message << "\"";
    }
}

TEST(FrameDigest, AgreesWithAWholeTextImplementationOnRandomFrames)
{
    const std::vector<std::string> fragments = {
        "Store", ".save", "(",      ")", "(_:)", "->",     " -> ",       "Bool", " ",
        "\t",    "\n",    "\u00A0", "-", ">",    "\u00C9", "\U0001F600", "in",   "x"};
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> frames(random() % 5);
        for (std::string& frame : frames) {
            const int pieces = static_cast<int>(random() % 10);
            for (int i = 0; i < pieces; ++i)
                frame += fragments[random() % fragments.size()];
        }
        ASSERT_EQ(computeFrameDigest(frames), reference::computeFrameDigest(frames))
            << "first frame: \"" << (frames.empty() ? "" : frames[0]) << "\"";
    }
}

TEST(NormalizeMessage, GivesTheSameResultsFromManyThreadsAtOnce)
{
    const std::vector<std::string> messages = {
        "Timeout after 30000 ms for 3F2504E0-4F89-11D3-9A0C-0305E82C3301 at /var/tmp/x.db",
        "Mail to a.b@example.com at 2024-05-01 10:00:00Z", "Oops",
        "\u00C9CHEC mv_x-1 \u0661\u0662\u0663\u0664"};
    std::vector<std::string> expected;
    for (const std::string& message : messages)
        expected.push_back(normalizeMessage(message, "E") + computeFrameDigest({message}));

    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 200; ++round) {
                const std::size_t i = static_cast<std::size_t>(t + round) % messages.size();
                if (normalizeMessage(messages[i], "E") + computeFrameDigest({messages[i]}) !=
                    expected[i])
                    ++mismatches;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches, 0);
}
