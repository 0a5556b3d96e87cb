#pragma once

#include <morvane/telemetry/KeyValueStore.h>

#include <memory>
#include <string_view>

namespace morvane::telemetry {

// Whether anonymous error reports may be recorded, and the bookkeeping of the two consent
// prompts. Reporting is on by default, except where the user is known to be in the
// European Union (opt-in there); the user's stored choice overrides both defaults.
// Holds no state of its own: every query reads the installed store afresh, so a change by
// any writer applies to the next query. Safe to call from any thread; takes no lock.
class ErrorTelemetryConsent
{
public:
    struct Keys
    {
        static constexpr std::string_view enabled = "morvane.error_telemetry_enabled";
        static constexpr std::string_view optOutShown = "morvane.error_telemetry_opt_out_shown";
        static constexpr std::string_view euOptInShown = "morvane.error_telemetry_eu_optin_shown";
        static constexpr std::string_view resolvedIsEU = "morvane.error_telemetry_eu_region";
    };

    static constexpr std::string_view optOutNoteTitle = "Before you turn this off";
    // "[AppName]" is left for the host to substitute with its display name.
    static constexpr std::string_view optOutNoteBodyTemplate =
        "These reports are fully anonymous and help us make [AppName] better for everyone "
        "\u2014 at no cost to you.";
    static constexpr std::string_view optOutNotePrimaryLabel = "Keep sending reports";
    static constexpr std::string_view optOutNoteSecondaryLabel = "Turn off anyway";
    static constexpr std::string_view euOptInTitle = "Help improve this app?";
    static constexpr std::string_view euOptInBodyTemplate =
        "Anonymous error reports help us fix issues faster. No personal data \u2014 just crash "
        "signals.";
    static constexpr std::string_view euOptInEnableLabel = "Enable";
    static constexpr std::string_view euOptInNotNowLabel = "Not now";

    ErrorTelemetryConsent() = delete;

    // The stored choice when there is one; otherwise off for a cached EU region, on else.
    static bool isEnabled();
    static void setEnabled(bool enabled);

    // True until the opt-out note has been marked shown; depends on nothing else.
    static bool shouldShowOptOutNote();
    static void markOptOutNoteShown();

    // True only for a cached EU region, no stored choice, and the prompt not yet shown.
    static bool shouldShowEUOptIn();
    static void markEUOptInShown();

    // The store every operation here and GeoProbeClient reads and writes. Until a host
    // installs its own, a process-local in-memory store is used; installing null goes back
    // to a fresh one. Installing may happen while other threads query.
    static std::shared_ptr<KeyValueStore> store();
    static void useStore(std::shared_ptr<KeyValueStore> store);
};

} // namespace morvane::telemetry
