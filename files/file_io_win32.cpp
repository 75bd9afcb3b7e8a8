// Whole files on Windows: paths are UTF-8 turned into UTF-16 for the wide API, so a path the
// ANSI code page cannot spell still works; the temporary file is flushed and moved over the
// target with MoveFileExW, which replaces it in one step.
#include <windows.h>

#include <string>

#include "files/file_io.h"
#include "text/wide.h"

namespace {

std::string Reason(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "no such file or folder";
    case ERROR_ACCESS_DENIED: return "permission denied, or it is a folder";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "the disk is full";
    case ERROR_WRITE_PROTECT: return "the disk is read-only";
    default: break;
  }
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason = "system error " + std::to_string(error);
  if (length > 0 && text) {
    DWORD end = length;
    while (end > 0 && (text[end - 1] == L'\r' || text[end - 1] == L'\n' || text[end - 1] == L'.'))
      --end;
    text[end] = L'\0';
    std::string message;
    if (Utf8FromWide(text, message)) reason = message;
  }
  LocalFree(text);
  return reason;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error,
                         const WriteFault* fault) {
  const std::wstring target = WideFromUtf8(path);
  if (IsFolder(target)) {
    error = "it is a folder";
    return false;
  }
  // Beside the target, so that the move never crosses volumes; a name nobody else holds.
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; file == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
    temporary = target + L".oddsmith-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(attempt) + L".tmp";
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    error = Reason(GetLastError());
    return false;
  }
  bool ok = true;
  DWORD failure = 0;
  std::size_t done = 0;
  while (ok && done < content.size()) {
    std::size_t chunk = content.size() - done;
    if (chunk > 1u << 20) chunk = 1u << 20;
    if (fault && done + chunk > fault->failAfter) {
      chunk = done < fault->failAfter ? fault->failAfter - done : 0;
      if (chunk == 0) {
        ok = false;
        failure = ERROR_DISK_FULL;
        break;
      }
    }
    DWORD written = 0;
    if (!WriteFile(file, content.data() + done, static_cast<DWORD>(chunk), &written, nullptr)) {
      ok = false;
      failure = GetLastError();
    }
    done += written;
  }
  if (ok && !FlushFileBuffers(file)) {
    ok = false;
    failure = GetLastError();
  }
  CloseHandle(file);
  if (ok && !MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ok = false;
    failure = GetLastError();
  }
  if (!ok) {
    DeleteFileW(temporary.c_str());
    error = Reason(failure);
  }
  return ok;
}

bool ReadFileLimited(const std::string& path, std::size_t limit, std::string& content,
                     std::string& error, bool& tooLarge) {
  tooLarge = false;
  const std::wstring wide = WideFromUtf8(path);
  if (IsFolder(wide)) {
    error = "it is a folder";
    return false;
  }
  const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = Reason(GetLastError());
    return false;
  }
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) > limit) {
    CloseHandle(file);
    tooLarge = true;
    error = "the file is larger than a line file can be";
    return false;
  }
  content.assign(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
  std::size_t done = 0;
  bool ok = true;
  while (done < content.size()) {
    DWORD got = 0;
    if (!ReadFile(file, content.data() + done, static_cast<DWORD>(content.size() - done), &got,
                  nullptr)) {
      ok = false;
      error = Reason(GetLastError());
      break;
    }
    if (got == 0) break;
    done += got;
    if (done == content.size() && done <= limit) content.resize(limit + 1);
  }
  CloseHandle(file);
  content.resize(done);
  if (ok && done > limit) {
    tooLarge = true;
    error = "the file is larger than a line file can be";
    ok = false;
  }
  return ok;
}
