#include <morvane/telemetry/ErrorTelemetryConsent.h>
#include <morvane/telemetry/GeoProbeClient.h>
#include <morvane/telemetry/LocalKeyValueStore.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace morvane::telemetry {
namespace {

using Keys = ErrorTelemetryConsent::Keys;

class ConsentTest : public ::testing::Test
{
protected:
    void SetUp() override { ErrorTelemetryConsent::useStore(store); }
    void TearDown() override { ErrorTelemetryConsent::useStore(nullptr); }

    std::shared_ptr<LocalKeyValueStore> store = std::make_shared<LocalKeyValueStore>();
};

TEST_F(ConsentTest, DecisionsFollowRegionChoiceAndPromptBookkeeping)
{
    struct Case
    {
        const char* name;
        std::optional<bool> region;
        std::optional<bool> choice;
        bool euOptInShown;
        bool enabled;
        bool showEUOptIn;
    };
    const Case cases[] = {
        {"fresh install", std::nullopt, std::nullopt, false, true, false},
        {"outside the EU", false, std::nullopt, false, true, false},
        {"EU, no choice yet", true, std::nullopt, false, false, true},
        {"EU, prompt already shown", true, std::nullopt, true, false, false},
        {"EU, user agreed", true, true, false, true, false},
        {"EU, user declined", true, false, false, false, false},
        {"outside the EU, user turned it off", false, false, false, false, false},
        {"unknown region, user declined", std::nullopt, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ErrorTelemetryConsent::useStore(std::make_shared<LocalKeyValueStore>());
        if (c.region)
            ErrorTelemetryConsent::store()->setBool(Keys::resolvedIsEU, *c.region);
        if (c.choice)
            ErrorTelemetryConsent::setEnabled(*c.choice);
        if (c.euOptInShown)
            ErrorTelemetryConsent::markEUOptInShown();
        EXPECT_EQ(ErrorTelemetryConsent::isEnabled(), c.enabled);
        EXPECT_EQ(ErrorTelemetryConsent::shouldShowEUOptIn(), c.showEUOptIn);
        EXPECT_EQ(GeoProbeClient::cachedIsEU(), c.region);
        EXPECT_TRUE(ErrorTelemetryConsent::shouldShowOptOutNote());
    }
}

TEST_F(ConsentTest, OptOutNoteIsShownUntilMarkedWhateverTheChoice)
{
    ErrorTelemetryConsent::setEnabled(false);
    store->setBool(Keys::resolvedIsEU, true);
    EXPECT_TRUE(ErrorTelemetryConsent::shouldShowOptOutNote());
    ErrorTelemetryConsent::markOptOutNoteShown();
    EXPECT_FALSE(ErrorTelemetryConsent::shouldShowOptOutNote());
    EXPECT_TRUE(store->boolValue(Keys::optOutShown));
}

TEST_F(ConsentTest, EveryQueryReadsTheStoreAfresh)
{
    EXPECT_TRUE(ErrorTelemetryConsent::isEnabled());
    store->setBool(Keys::enabled, false); // another writer
    EXPECT_FALSE(ErrorTelemetryConsent::isEnabled());
}

TEST(ConsentTexts, KeepTheirWordingAndPlaceholder)
{
    // The dashes are em dashes (U+2014) with a space on each side; "[AppName]" stays as is.
    const std::pair<std::string_view, std::string_view> texts[] = {
        {ErrorTelemetryConsent::optOutNoteTitle, "Before you turn this off"},
        {ErrorTelemetryConsent::optOutNoteBodyTemplate,
         "These reports are fully anonymous and help us make [AppName] better for everyone "
         "\xE2\x80\x94 at no cost to you."},
        {ErrorTelemetryConsent::optOutNotePrimaryLabel, "Keep sending reports"},
        {ErrorTelemetryConsent::optOutNoteSecondaryLabel, "Turn off anyway"},
        {ErrorTelemetryConsent::euOptInTitle, "Help improve this app?"},
        {ErrorTelemetryConsent::euOptInBodyTemplate,
         "Anonymous error reports help us fix issues faster. No personal data \xE2\x80\x94 "
         "just crash signals."},
        {ErrorTelemetryConsent::euOptInEnableLabel, "Enable"},
        {ErrorTelemetryConsent::euOptInNotNowLabel, "Not now"},
    };
    for (const auto& [text, expected] : texts)
        EXPECT_EQ(text, expected);
    EXPECT_EQ(GeoProbeClient::userDefaultsKey, Keys::resolvedIsEU);
}

TEST(LocalKeyValueStore, PersistsWritesAndReadsForeignValuesAsTheirBooleanMeaning)
{
    const auto file = std::filesystem::path(std::getenv("HOME")) / "telemetry" / "values.conf";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "# written by hand\nnumber = 2\nzero=0\nword=Yes\nnoise\n=x\n"
                           "other=maybe\n";
    {
        LocalKeyValueStore store(file);
        const std::pair<const char*, bool> readings[] = {
            {"number", true}, {"zero", false}, {"word", true}, {"other", false}};
        for (const auto& [key, expected] : readings) {
            EXPECT_TRUE(store.contains(key)) << key;
            EXPECT_EQ(store.boolValue(key), expected) << key;
        }
        EXPECT_FALSE(store.contains("noise"));
        store.setBool("flag", true);
        store.setBool("zero", true);
    }
    LocalKeyValueStore reopened(file);
    EXPECT_TRUE(reopened.boolValue("flag"));
    EXPECT_TRUE(reopened.boolValue("zero"));
    EXPECT_TRUE(reopened.boolValue("number"));
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".tmp"));
}

TEST(LocalKeyValueStore, StartsEmptyWithoutAFile)
{
    LocalKeyValueStore store(std::filesystem::path(std::getenv("HOME")) / "missing" / "x.conf");
    EXPECT_FALSE(store.contains(Keys::enabled));
    EXPECT_FALSE(store.boolValue(Keys::enabled));
}

} // namespace
} // namespace morvane::telemetry
