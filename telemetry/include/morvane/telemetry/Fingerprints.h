#pragma once

#include <morvane/telemetry/Timestamp.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The telemetry's one hashing convention, SHA-256 of UTF-8 text as lowercase hex cut to a
// prefix, and the values built with it. All functions are pure and thread-safe.
namespace morvane::telemetry {

// SHA-256 of the bytes as lowercase hex, cut to the first hexCharacters (at most 64).
std::string sha256Hex(std::string_view bytes, std::size_t hexCharacters = 64);

// Coalescing key: hash of slug|platform|severity|category|template|digest (an absent digest
// leaves the last field empty). 16 lowercase hex characters. Pass the full template, before
// it is cut for storage.
std::string computeFingerprint(std::string_view appSlug, std::string_view platform,
                               std::string_view severity, std::string_view category,
                               std::string_view messageTemplate,
                               const std::optional<std::string>& frameDigest);

// The date of the time in UTC as yyyy-MM-dd (Gregorian).
std::string utcDateString(Timestamp now = std::chrono::system_clock::now());

// Stand-in for the install id that changes at 00:00 UTC: hash of
// installId|yyyy-MM-dd|tindral-error-v1. 16 lowercase hex characters.
std::string computeDailyToken(std::string_view installId,
                              Timestamp now = std::chrono::system_clock::now());

} // namespace morvane::telemetry
