// DLLs from the system folder only.  Windows looks for a DLL in the
// program's own folder first, where anyone who hands out a .scr may put a
// DLL of a system name beside it; a screen saver is often run from such a
// folder (Downloads).
#pragma once

namespace showsaver::win32 {

// Makes the system folder the only place LoadLibrary looks in for the rest of
// the process, for the system's own DLLs too: SetDefaultDllDirectories(
// LOAD_LIBRARY_SEARCH_SYSTEM32), looked up at run time since Windows 7 has
// it only with an update.  The first thing the program does.
void restrict_dll_search_to_system_folder();

// The system folder's `name` (an HMODULE), or null: LoadLibraryExW with
// LOAD_LIBRARY_SEARCH_SYSTEM32, or the DLL's full path in the system folder
// where that flag is not known.
void* load_system_library(const wchar_t* name);

}  // namespace showsaver::win32
