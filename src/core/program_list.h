#pragma once

// The message that names the programs still using the IME, built in place in
// one buffer of UTF-16 units whatever the number of programs or the length of
// their titles. The head, which carries the count, is known only at the end,
// so the lines go in behind room kept for it and are moved up when the
// message is finished. A line that would not leave room for the closing
// sentences is left out whole; the count still counts its program.

#include <cstddef>

struct ProgramMessage {
  char16_t* text;
  std::size_t capacity;  // in units, the terminator included
  std::size_t listEnd;   // units used from kProgramListStart on
  int count;
};

// Units kept in front of the list for the longest head.
constexpr std::size_t kProgramListStart = 64;
// The smallest buffer that holds the head and closing sentences of any count.
constexpr std::size_t kMinProgramMessage = 112;

void StartProgramMessage(ProgramMessage& message, char16_t* buffer, std::size_t capacity);

// Counts one program. Its line, numbered with the count so far, names
// `title` (at most 199 units are taken); a window without an owner or parent
// (`title` null) is counted without a line.
void AddProgram(ProgramMessage& message, const char16_t* title);

// Puts the head in front of the list and the closing sentences behind it.
// The text always ends in its terminator; a buffer smaller than
// kMinProgramMessage is left empty.
void FinishProgramMessage(ProgramMessage& message);
