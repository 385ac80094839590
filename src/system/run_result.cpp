#include "system/run_result.h"

#include "core/command_line.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

HANDLE RunLog = INVALID_HANDLE_VALUE;
bool Incomplete;
bool RestartNeeded;

// One line of the log: the time, `prefix` and the step's text, cut to what
// the line holds, then CR LF.
void WriteLine(const char* prefix, const char* format, va_list arguments) {
  if (RunLog == INVALID_HANDLE_VALUE) return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  char line[1024];
  const std::size_t room = sizeof line - 2;
  std::snprintf(line, room, "%02u:%02u:%02u %s", now.wHour, now.wMinute, now.wSecond, prefix);
  std::size_t length = std::strlen(line);
  std::vsnprintf(line + length, room - length, format, arguments);
  length = std::strlen(line);
  line[length++] = '\r';
  line[length++] = '\n';
  DWORD written = 0;
  WriteFile(RunLog, line, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace

void StartRunLog(const char* program, char* commandLine) {
  char path[MAX_PATH];
  ArgumentSpan log{};
  if (!FindLogPathArgument(commandLine, path, sizeof path, &log)) return;
  // Readers may watch the log while the run goes on.
  RunLog = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  LogStep("%s started: %s", program, commandLine);
  std::memset(commandLine + log.begin, ' ', log.end - log.begin);
}

void LogStep(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  WriteLine("", format, arguments);
  va_end(arguments);
}

void NoteRestartCompletes(const char* format, ...) {
  RestartNeeded = true;
  va_list arguments;
  va_start(arguments, format);
  WriteLine("restart needed: ", format, arguments);
  va_end(arguments);
}

void NoteIncomplete(const char* format, ...) {
  Incomplete = true;
  va_list arguments;
  va_start(arguments, format);
  WriteLine("failed: ", format, arguments);
  va_end(arguments);
}

int RunExitCode() {
  if (Incomplete) return kExitIncomplete;
  return RestartNeeded ? kExitRestartCompletes : kExitWhole;
}

bool RestartCompletes() { return RestartNeeded; }

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
