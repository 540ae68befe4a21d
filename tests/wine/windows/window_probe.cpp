// A small Windows program the Wine tests run beside the player, in the same
// Wine session, to act on its show window from outside and to look at it:
//   window_probe close           posts WM_CLOSE to the show window, waits for the end
//   window_probe endsession      WM_QUERYENDSESSION, then WM_ENDSESSION (TRUE), then
//                                ends the process at once, as Windows may then do
//                                (both print the notice's state first)
//   window_probe notice          prints whether the screen-saver-running notice is on
//   window_probe foreground      puts a window of its own in the foreground, as
//                                another program would, and waits for the end
//   window_probe sample MS       prints the player's GUI objects and memory every MS
//                                milliseconds until it ends
// Everything it finds goes to standard output, one "key value..." line each;
// the exit status is 0 when it could do what it was asked.
#include <windows.h>
// After <windows.h>.
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr const wchar_t* kShowWindowClass = L"showsaver.show";
constexpr DWORD kFindMilliseconds = 60000;

// The show window, looked for until it appears or a minute has passed.
HWND find_show_window() {
  const ULONGLONG end = GetTickCount64() + kFindMilliseconds;
  for (;;) {
    if (const HWND window = FindWindowW(kShowWindowClass, nullptr)) return window;
    if (GetTickCount64() >= end) return nullptr;
    Sleep(50);
  }
}

HANDLE open_owner(HWND window, DWORD access) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  return process_id == 0 ? nullptr : OpenProcess(access, FALSE, process_id);
}

void print(const char* format, auto... values) {
  std::printf(format, values...);
  std::fflush(stdout);
}

int close_window(HWND window) {
  const HANDLE process = open_owner(window, SYNCHRONIZE | PROCESS_QUERY_INFORMATION);
  if (process == nullptr) return 2;
  print("posted %d\n", PostMessageW(window, WM_CLOSE, 0, 0) != FALSE ? 1 : 0);
  const DWORD waited = WaitForSingleObject(process, kFindMilliseconds);
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  print("ended %d %lu\n", waited == WAIT_OBJECT_0 ? 1 : 0, code);
  CloseHandle(process);
  return 0;
}

int take_foreground(HWND window) {
  const HANDLE process = open_owner(window, SYNCHRONIZE | PROCESS_QUERY_INFORMATION);
  if (process == nullptr) return 2;
  // Shown first and activated after: Wine without a window manager would
  // wait for one in vain when a window activated as it was shown goes.
  const HWND own = CreateWindowExW(0, L"STATIC", L"window_probe", WS_POPUP, 0, 0, 100, 100, nullptr,
                                   nullptr, nullptr, nullptr);
  if (own != nullptr) ShowWindow(own, SW_SHOWNOACTIVATE);
  const BOOL taken = own != nullptr ? SetForegroundWindow(own) : FALSE;
  print("foreground %d %d\n", taken != FALSE ? 1 : 0, GetForegroundWindow() == own ? 1 : 0);
  // The window answers its messages while the show ends.
  const ULONGLONG end = GetTickCount64() + kFindMilliseconds;
  DWORD waited = WAIT_TIMEOUT;
  while (GetTickCount64() < end) {
    waited = MsgWaitForMultipleObjects(1, &process, FALSE, 100, QS_ALLINPUT);
    if (waited == WAIT_OBJECT_0) break;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) DispatchMessageW(&message);
  }
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  print("ended %d %lu\n", waited == WAIT_OBJECT_0 ? 1 : 0, code);
  if (own != nullptr) DestroyWindow(own);
  CloseHandle(process);
  return 0;
}

int end_session(HWND window) {
  const HANDLE process =
      open_owner(window, SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION);
  if (process == nullptr) return 2;
  DWORD_PTR answer = 0;
  const LRESULT asked = SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL,
                                            kFindMilliseconds, &answer);
  print("query %d %d\n", asked != 0 ? 1 : 0, answer != 0 ? 1 : 0);
  DWORD_PTR ignored = 0;
  const LRESULT ended =
      SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, kFindMilliseconds, &ignored);
  // Once every window has answered, the session ends and takes the process
  // with it: nothing the program left for later runs.
  const DWORD still_running = WaitForSingleObject(process, 0);
  const BOOL terminated = TerminateProcess(process, 99);
  WaitForSingleObject(process, kFindMilliseconds);
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  print("endsession %d running %d terminated %d exit %lu\n", ended != 0 ? 1 : 0,
        still_running == WAIT_TIMEOUT ? 1 : 0, terminated != FALSE ? 1 : 0, code);
  CloseHandle(process);
  return 0;
}

int notice() {
  BOOL running = FALSE;
  const BOOL asked = SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  print("notice %d %d\n", asked != FALSE ? 1 : 0, running != FALSE ? 1 : 0);
  return asked != FALSE ? 0 : 2;
}

// GetGuiResources is a stub in Wine 8 (0, ERROR_CALL_NOT_IMPLEMENTED), so
// the objects are also counted as a tool on Windows can count them: GDI
// objects in the process's GDI handle table (its PEB's GdiSharedHandleTable,
// read with ReadProcessMemory), and the windows it owns.  Both need a process
// of this program's own width.
struct HandleEntry {  // GDI_HANDLE_ENTRY
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t unique;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t user_pointer;
};
static_assert(sizeof(HandleEntry) == 24);
constexpr std::size_t kHandleCount = 0x10000;
constexpr std::uintptr_t kPebGdiTable = sizeof(void*) == 8 ? 0xF8 : 0x94;

using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

// Live GDI objects of `process`, stock objects left out; -1 when the table
// cannot be read.
long live_gdi_objects(HANDLE process, std::vector<HandleEntry>& table) {
  const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  struct {
    void* exit_status;
    void* peb;
    void* rest[4];
  } basic{};
  if (query == nullptr || query(process, 0, &basic, sizeof basic, nullptr) != 0) return -1;
  void* address = nullptr;
  if (ReadProcessMemory(process, static_cast<char*>(basic.peb) + kPebGdiTable, &address,
                        sizeof address, nullptr) == FALSE ||
      address == nullptr) {
    return -1;
  }
  table.resize(kHandleCount);
  if (ReadProcessMemory(process, address, table.data(), table.size() * sizeof(HandleEntry),
                        nullptr) == FALSE) {
    return -1;
  }
  long count = 0;
  for (const HandleEntry& entry : table) {
    constexpr std::uint16_t kStock = 0x80;
    if (entry.type != 0 && (entry.unique & kStock) == 0) ++count;
  }
  return count;
}

BOOL CALLBACK count_window(HWND window, LPARAM context) {
  auto* count = reinterpret_cast<std::pair<DWORD, long>*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == count->first) {
    ++count->second;
    EnumChildWindows(window, count_window, context);
  }
  return TRUE;
}

long windows_of(DWORD process_id) {
  std::pair<DWORD, long> count{process_id, 0};
  EnumWindows(count_window, reinterpret_cast<LPARAM>(&count));
  return count.second;
}

int sample(HWND window, DWORD interval) {
  const HANDLE process =
      open_owner(window, SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ);
  if (process == nullptr) return 2;
  const ULONGLONG start = GetTickCount64();
  std::vector<HandleEntry> table;
  for (;;) {
    SetLastError(0);
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD gdi_error = GetLastError();
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    const BOOL measured = GetProcessMemoryInfo(
        process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    const long table_gdi = live_gdi_objects(process, table);
    const long windows = windows_of(GetProcessId(process));
    print(
        "sample %llu gdi %lu error %lu user %lu table_gdi %ld windows %ld memory %d "
        "private %llu pagefile %llu working %llu\n",
        static_cast<unsigned long long>(GetTickCount64() - start), gdi, gdi_error, user, table_gdi,
        windows, measured != FALSE ? 1 : 0, static_cast<unsigned long long>(memory.PrivateUsage),
        static_cast<unsigned long long>(memory.PagefileUsage),
        static_cast<unsigned long long>(memory.WorkingSetSize));
    if (WaitForSingleObject(process, interval) != WAIT_TIMEOUT) break;
  }
  print("ended\n");
  CloseHandle(process);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring_view command = argv[1];
  if (command == L"notice") return notice();
  const HWND window = find_show_window();
  print("window %d\n", window != nullptr ? 1 : 0);
  if (window == nullptr) return 1;
  if (command == L"close" || command == L"endsession") {
    notice();  // while the show runs
    return command == L"close" ? close_window(window) : end_session(window);
  }
  if (command == L"foreground") return take_foreground(window);
  if (command == L"sample" && argc >= 3) {
    return sample(window, static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
  }
  return 2;
}
