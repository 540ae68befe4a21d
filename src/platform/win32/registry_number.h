// How the desktop's password setting reads as a number.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace showsaver::win32 {

// The value as the 32-bit number the show asks for.  Binary data (REG_DWORD
// and the other types) is read as up to 4 little-endian bytes, and more than
// 4 bytes is a failed read, as it is for a 4-byte buffer.  Text (REG_SZ,
// REG_EXPAND_SZ, as Windows itself writes "ScreenSaveUsePassword") is read by
// its leading decimal digits, so "0" is off and "1" is on; text without a
// digit reads as 0.
std::optional<std::uint32_t> registry_number(std::uint32_t type,
                                             std::span<const std::uint8_t> data);

}  // namespace showsaver::win32
