#include "core/program_list.h"

#include <cstring>

namespace {

constexpr char16_t kLineStart[] = u"\u3000\u3000";
constexpr char16_t kLineNumberEnd[] = u"\uFF1A";  // full-width colon
constexpr char16_t kLineEnd[] = u"\r\n";
constexpr char16_t kHeadBeforeCount[] = u"智能岚舟安软件装检测到有下列 ";
constexpr char16_t kHeadAfterCount[] = u" 个软件在使用智能岚舟输入法:\r\n\r\n";
constexpr char16_t kClosing[] =
    u"\r\n\r\n请关闭使上述软件后再继续安装！\r\n如无法关闭，则请重新启动机器后立即安装！";
constexpr std::size_t kMaxTitleUnits = 199;
constexpr std::size_t kMaxNumberUnits = 10;

constexpr std::size_t Units(const char16_t* text) {
  std::size_t length = 0;
  while (text[length] != u'\0') ++length;
  return length;
}

constexpr std::size_t kClosingUnits = Units(kClosing);
static_assert(Units(kHeadBeforeCount) + kMaxNumberUnits + Units(kHeadAfterCount) <= kProgramListStart,
              "the longest head fits in front of the list");
static_assert(kProgramListStart + kClosingUnits + 1 <= kMinProgramMessage,
              "head and closing fit in the smallest message");

std::size_t Decimal(unsigned number, char16_t (&out)[kMaxNumberUnits]) {
  char16_t reversed[kMaxNumberUnits];
  std::size_t length = 0;
  do {
    reversed[length++] = static_cast<char16_t>(u'0' + number % 10);
    number /= 10;
  } while (number != 0);
  for (std::size_t at = 0; at < length; ++at) out[at] = reversed[length - 1 - at];
  return length;
}

void Put(char16_t* text, std::size_t& at, const char16_t* piece, std::size_t units) {
  std::memcpy(text + at, piece, units * sizeof(char16_t));
  at += units;
}

}  // namespace

void StartProgramMessage(ProgramMessage& message, char16_t* buffer, std::size_t capacity) {
  message = {buffer, capacity, 0, 0};
  if (capacity > 0) buffer[0] = u'\0';
}

void AddProgram(ProgramMessage& message, const char16_t* title) {
  ++message.count;
  if (title == nullptr || message.capacity < kMinProgramMessage) return;
  char16_t number[kMaxNumberUnits];
  const std::size_t numberUnits = Decimal(static_cast<unsigned>(message.count), number);
  std::size_t titleUnits = 0;
  while (titleUnits < kMaxTitleUnits && title[titleUnits] != u'\0') ++titleUnits;
  const std::size_t lineUnits =
      Units(kLineStart) + numberUnits + Units(kLineNumberEnd) + titleUnits + Units(kLineEnd);
  const std::size_t room = message.capacity - kProgramListStart - kClosingUnits - 1;
  if (lineUnits > room - message.listEnd) return;
  std::size_t at = kProgramListStart + message.listEnd;
  Put(message.text, at, kLineStart, Units(kLineStart));
  Put(message.text, at, number, numberUnits);
  Put(message.text, at, kLineNumberEnd, Units(kLineNumberEnd));
  Put(message.text, at, title, titleUnits);
  Put(message.text, at, kLineEnd, Units(kLineEnd));
  message.listEnd += lineUnits;
}

void FinishProgramMessage(ProgramMessage& message) {
  if (message.capacity < kMinProgramMessage) {
    if (message.capacity > 0) message.text[0] = u'\0';
    return;
  }
  char16_t number[kMaxNumberUnits];
  const std::size_t numberUnits = Decimal(static_cast<unsigned>(message.count), number);
  std::size_t at = 0;
  Put(message.text, at, kHeadBeforeCount, Units(kHeadBeforeCount));
  Put(message.text, at, number, numberUnits);
  Put(message.text, at, kHeadAfterCount, Units(kHeadAfterCount));
  std::memmove(message.text + at, message.text + kProgramListStart,
               message.listEnd * sizeof(char16_t));
  at += message.listEnd;
  Put(message.text, at, kClosing, kClosingUnits + 1);
}
