#pragma once

// The single-instance channel's socket name and lines (see SingleInstance for what they
// mean), free of Qt: the executable's launcher speaks them before any Qt library is loaded.
namespace SingleInstanceProtocol {

// The socket is <runtime folder>/<name>.socket, the lock <name>.lock beside it.
inline constexpr char name[] = "dev.morvane.colorpicker";
inline constexpr char socketSuffix[] = ".socket";
inline constexpr char lockSuffix[] = ".lock";

inline constexpr char reopenRequest[] = "reopen\n";
inline constexpr char pickRequest[] = "pick\n";
inline constexpr char acknowledgement[] = "ok\n";
inline constexpr char busyAnswer[] = "busy\n";
inline constexpr char pickedAnswer[] = "picked "; // + "#RRGGBB\n"
inline constexpr char cancelledAnswer[] = "cancelled\n";
inline constexpr char unavailableAnswer[] = "unavailable "; // + reason + "\n"
// Longer than any request or answer line; a peer sending more without a newline is not one
// of ours.
inline constexpr int longestLine = 512;

} // namespace SingleInstanceProtocol
