#pragma once

// What "--pick" prints on standard error when no colour comes out, shared by its two ways:
// the launcher's, with no Qt loaded, and PickCommand's.
namespace PickMessages {

inline constexpr char prefix[] = "morvane-color-picker: ";
inline constexpr char cancelled[] = "no color picked: the pick was cancelled";
inline constexpr char unavailable[] = "no color picked: "; // + the running copy's reason
inline constexpr char lost[] = "the picker quit before the pick ended";
// After "picked #RRGGBB".
inline constexpr char outputRefused[] =
    ", but standard output did not take it (closed, full or a broken pipe)";

} // namespace PickMessages
