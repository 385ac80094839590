#include "system/run_result.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace {

HANDLE RunLog = INVALID_HANDLE_VALUE;
bool Incomplete;
bool RestartCompletes;

void WriteLine(const char* text) {
  if (RunLog == INVALID_HANDLE_VALUE) return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  char line[1024];
  const int length = std::snprintf(line, sizeof line, "%02u:%02u:%02u %s\r\n", now.wHour,
                                   now.wMinute, now.wSecond, text);
  if (length <= 0) return;
  // A line cut by the buffer still ends with its line break.
  DWORD size = static_cast<DWORD>(length) < sizeof line ? static_cast<DWORD>(length) : sizeof line - 1;
  if (size == sizeof line - 1) {
    line[size - 2] = '\r';
    line[size - 1] = '\n';
  }
  DWORD written = 0;
  WriteFile(RunLog, line, size, &written, nullptr);
}

}  // namespace

void StartRunLog(const char* path, const char* program) {
  if (path == nullptr || path[0] == '\0') return;
  // Readers may watch the log while the run goes on.
  RunLog = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  LogStep("%s started", program);
}

void LogStep(const char* format, ...) {
  if (RunLog == INVALID_HANDLE_VALUE) return;
  char text[960];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  WriteLine(text);
}

void NoteRestartCompletes(const char* what) {
  RestartCompletes = true;
  LogStep("restart needed: %s", what);
}

void NoteIncomplete(const char* what) {
  Incomplete = true;
  LogStep("failed: %s", what);
}

int RunExitCode() {
  if (Incomplete) return kExitIncomplete;
  return RestartCompletes ? kExitRestartCompletes : kExitWhole;
}

void EndRunLog() {
  if (RunLog == INVALID_HANDLE_VALUE) return;
  const int code = RunExitCode();
  LogStep("result: exit code %d (%s)", code,
          code == kExitWhole              ? "complete"
          : code == kExitRestartCompletes ? "complete after a restart"
                                          : "not completed");
  CloseHandle(RunLog);
  RunLog = INVALID_HANDLE_VALUE;
}
