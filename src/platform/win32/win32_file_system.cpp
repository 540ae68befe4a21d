#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "platform/win32/literal_paths.h"
#include "platform/win32/private_folder.h"
#include "platform/win32/wide_text.h"

namespace showsaver {
namespace {

constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;
// The most one ReadFile or WriteFile call moves.
constexpr std::size_t kChunk = 1u << 20;

DWORD attributes(const std::string& path) {
  return GetFileAttributesW(win32::to_wide(path).c_str());
}

void forget(std::vector<std::string>& made, const std::string& path) {
  made.erase(std::remove(made.begin(), made.end(), path), made.end());
}

bool write_all(HANDLE file, std::string_view data) {
  while (!data.empty()) {
    const auto count = static_cast<DWORD>(std::min(data.size(), kChunk));
    DWORD written = 0;
    if (WriteFile(file, data.data(), count, &written, nullptr) == FALSE || written == 0) {
      return false;
    }
    data.remove_prefix(written);
  }
  return true;
}

class UnsharedMarker final : public HeldMarker {
 public:
  UnsharedMarker(std::string path, HANDLE file, std::vector<HeldMarker*>& held)
      : path_(std::move(path)), file_(file), held_(held) {
    held_.push_back(this);
  }
  ~UnsharedMarker() override {
    release();
    held_.erase(std::remove(held_.begin(), held_.end(), this), held_.end());
  }
  UnsharedMarker(const UnsharedMarker&) = delete;
  UnsharedMarker& operator=(const UnsharedMarker&) = delete;

  // Closes and deletes the mark; once only.
  void release() {
    if (file_ == INVALID_HANDLE_VALUE) return;
    const win32::LiteralPaths literal_paths;
    CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE));
    DeleteFileW(win32::to_wide(path_).c_str());
  }

 private:
  std::string path_;
  HANDLE file_;
  std::vector<HeldMarker*>& held_;
};

}  // namespace

bool Win32FileSystem::exists(const std::string& path) {
  const win32::LiteralPaths literal_paths;
  return attributes(path) != kNoAttributes;
}

bool Win32FileSystem::is_plain_file(const std::string& path) {
  const win32::LiteralPaths literal_paths;
  const DWORD found = attributes(path);
  constexpr DWORD kNotPlain =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return found != kNoAttributes && (found & kNotPlain) == 0;
}

CreateFolderResult Win32FileSystem::create_folder(const std::string& path) {
  const win32::LiteralPaths literal_paths;
  if (win32::create_private_folder(win32::to_wide(path))) {
    made_folders_.push_back(path);
    return CreateFolderResult::Created;
  }
  return GetLastError() == ERROR_ALREADY_EXISTS ? CreateFolderResult::AlreadyExists
                                                : CreateFolderResult::Failed;
}

bool Win32FileSystem::remove_folder(const std::string& path) {
  const win32::LiteralPaths literal_paths;
  if (RemoveDirectoryW(win32::to_wide(path).c_str()) == FALSE) return false;
  forget(made_folders_, path);
  return true;
}

bool Win32FileSystem::delete_file(const std::string& path) {
  const win32::LiteralPaths literal_paths;
  if (DeleteFileW(win32::to_wide(path).c_str()) == FALSE) return false;
  forget(made_files_, path);
  return true;
}

void Win32FileSystem::remove_what_it_made() {
  const win32::LiteralPaths literal_paths;
  for (auto file = made_files_.rbegin(); file != made_files_.rend(); ++file) {
    DeleteFileW(win32::to_wide(*file).c_str());
  }
  for (HeldMarker* marker : held_markers_) static_cast<UnsharedMarker*>(marker)->release();
  for (auto folder = made_folders_.rbegin(); folder != made_folders_.rend(); ++folder) {
    RemoveDirectoryW(win32::to_wide(*folder).c_str());
  }
  made_files_.clear();
  made_folders_.clear();
}

bool Win32FileSystem::write_new_file(const std::string& path, std::string_view data) {
  const win32::LiteralPaths literal_paths;
  const std::wstring name = win32::to_wide(path);
  const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  made_files_.push_back(path);
  const bool written = write_all(file, data);
  const bool closed = CloseHandle(file) != FALSE;
  if (!written || !closed) {
    delete_file(path);
    return false;
  }
  return true;
}

namespace {

// Where writing to `path` should go: the file itself or, through symbolic
// links and junctions, the file they lead to (a link the user made stays a
// link); `path` itself when nothing of that name exists yet.  Nothing for a
// link that leads nowhere or to anything but a file.
std::optional<std::string> final_file_path(const std::string& path) {
  const HANDLE file = CreateFileW(win32::to_wide(path).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (attributes(path) != kNoAttributes) return std::nullopt;
    return path;
  }
  BY_HANDLE_FILE_INFORMATION information{};
  std::wstring final_path(MAX_PATH, L'\0');
  DWORD length = 0;
  if (GetFileInformationByHandle(file, &information) != FALSE &&
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    constexpr DWORD kForm = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    length = GetFinalPathNameByHandleW(file, final_path.data(),
                                       static_cast<DWORD>(final_path.size()), kForm);
    if (length >= final_path.size()) {
      final_path.resize(length);
      length = GetFinalPathNameByHandleW(file, final_path.data(),
                                         static_cast<DWORD>(final_path.size()), kForm);
    }
  }
  CloseHandle(file);
  if (length == 0 || length >= final_path.size()) return std::nullopt;
  final_path.resize(length);
  return win32::to_utf8(final_path);
}

}  // namespace

bool Win32FileSystem::replace_file(const std::string& given_path, std::string_view data) {
  const win32::LiteralPaths literal_paths;
  const std::optional<std::string> target = final_file_path(given_path);
  if (!target) return false;
  const std::string& path = *target;
  const std::string temporary = path + ".new";
  delete_file(temporary);
  if (!write_new_file(temporary, data)) return false;
  if (MoveFileExW(win32::to_wide(temporary).c_str(), win32::to_wide(path).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
    delete_file(temporary);
    return false;
  }
  forget(made_files_, temporary);
  return true;
}

namespace {

// At most `max_bytes` of the open file, which stays open.  Nothing for a
// pipe or a device, which is never read.
std::optional<Bytes> read_open_file(HANDLE file, std::size_t max_bytes) {
  if (GetFileType(file) != FILE_TYPE_DISK) return std::nullopt;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) == FALSE) return std::nullopt;
  if (static_cast<std::uint64_t>(size.QuadPart) > max_bytes) {
    size.QuadPart = static_cast<LONGLONG>(std::min<std::uint64_t>(
        max_bytes, static_cast<std::uint64_t>(std::numeric_limits<LONGLONG>::max())));
  }
  if (static_cast<std::uint64_t>(size.QuadPart) >
      static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max())) {
    throw std::bad_alloc();
  }
  Bytes contents(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < contents.size()) {
    const auto count = static_cast<DWORD>(std::min(contents.size() - done, kChunk));
    DWORD read = 0;
    if (ReadFile(file, contents.data() + done, count, &read, nullptr) == FALSE) {
      return std::nullopt;
    }
    if (read == 0) break;  // the file got shorter meanwhile
    done += read;
  }
  contents.resize(done);
  return contents;
}

// Closes the handle however the scope is left.
class OpenHandle {
 public:
  explicit OpenHandle(HANDLE handle) : handle_(handle) {}
  ~OpenHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  OpenHandle(const OpenHandle&) = delete;
  OpenHandle& operator=(const OpenHandle&) = delete;
  HANDLE get() const { return handle_; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

}  // namespace

std::optional<Bytes> Win32FileSystem::read_file_prefix(const std::string& path,
                                                       std::size_t max_bytes) {
  const win32::LiteralPaths literal_paths;
  // Others may read, rename or delete it meanwhile (the running program's
  // own file is open like that), but not write it.
  const OpenHandle file(CreateFileW(win32::to_wide(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  return read_open_file(file.get(), max_bytes);
}

std::vector<std::string> Win32FileSystem::folder_entries(const std::string& folder) {
  const win32::LiteralPaths literal_paths;
  std::vector<std::string> names;
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(win32::to_wide(pattern + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(win32::to_utf8(name));
  } while (FindNextFileW(search, &found) != FALSE);
  FindClose(search);
  return names;
}

bool Win32FileSystem::is_own_folder(const std::string& path) {
  const win32::LiteralPaths literal_paths;
  const DWORD found = attributes(path);
  return found != kNoAttributes && (found & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (found & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

std::unique_ptr<HeldMarker> Win32FileSystem::hold_new_marker(const std::string& path,
                                                             std::string_view contents) {
  const win32::LiteralPaths literal_paths;
  // Made and held in one step: there is no moment at which another copy
  // could open it.
  OpenHandle file(CreateFileW(win32::to_wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return nullptr;
  if (!write_all(file.get(), contents)) {
    CloseHandle(file.release());
    DeleteFileW(win32::to_wide(path).c_str());
    return nullptr;
  }
  return std::make_unique<UnsharedMarker>(path, file.release(), held_markers_);
}

std::optional<Bytes> Win32FileSystem::take_abandoned_marker(const std::string& path,
                                                            std::size_t max_bytes) {
  const win32::LiteralPaths literal_paths;
  // Fails with a sharing violation while its holder has it open.
  const OpenHandle file(CreateFileW(win32::to_wide(path).c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileInformationByHandle(file.get(), &information) == FALSE ||
      (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) !=
          0) {
    return std::nullopt;
  }
  return read_open_file(file.get(), max_bytes);
}

}  // namespace showsaver
