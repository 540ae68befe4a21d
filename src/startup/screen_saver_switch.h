// The screen-saver switches of the command line.
#pragma once

#include <cstdint>
#include <string>

namespace showsaver {

enum class SaverMode { Show, Settings, PasswordChange, Preview, None };

// The first two characters of the arguments, upper-cased, decide.  No
// arguments at all (or only spaces) is Explorer's "Configure": the settings.
// Anything else, including a single character, selects nothing.
SaverMode saver_mode_for(const std::string& arguments);

// The window handle of "/c:HWND", "/c HWND", "/p HWND" or "/p:HWND": the
// decimal digits after the switch, an optional colon and spaces; 0 when there
// are none or they do not fit a handle.
std::uintptr_t window_handle_after_switch(const std::string& arguments);

// The parent window handle of "/A": the leading decimal number after the
// switch (spaces trimmed), halves rounded to even; 0 when there is none or it
// does not fit 32 bits.
std::int32_t password_parent_from(const std::string& arguments);

}  // namespace showsaver
