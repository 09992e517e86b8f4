// Strings: string variables in stringHeap, the process-wide temporary buffer in which
// string expressions are built (named by offset, since the buffer moves when it grows),
// decimal formatting, substring replacement and number parsing.
#pragma once
#include <cstdint>

#include "runtime/platform.h"

struct TempBuffer {
  char* text;        // in stringHeap; moves when it grows
  int32_t pos;       // bytes in use
  int32_t capacity;  // usable size; the block is capacity + 5 bytes
};

extern HeapRef stringHeap;
extern TempBuffer g_temp;

void strings_library_init();

char* ReserveTemp(int32_t length, int32_t offset);
int32_t GiveBackTemp(int32_t count);
int32_t SetTempPos(int32_t offset);
int32_t TempOffsetOf(const char* address);
char* AppendString(const char* s);

void NewString(char** variable, const char* s);
int32_t AssignString(char** variable, const char* s);
void FreeString(char** variable);

void FormatInteger(int64_t value, int32_t offset);
void ReplaceText(const char* s, const char* find, const char* repl, int32_t mode, int32_t start,
                 int32_t offset);
int64_t ParseInteger(const char* s);

// The expression protocol in one place: remembers tempPos, and hands out the finished
// text's address (computed after the last piece, since the buffer may have moved) and gives
// the buffer back when it goes out of scope.
class TempExpression {
 public:
  TempExpression() : start_(g_temp.pos) {}
  ~TempExpression() { SetTempPos(start_); }
  TempExpression(const TempExpression&) = delete;
  TempExpression& operator=(const TempExpression&) = delete;
  TempExpression& Text(const char* s) { AppendString(s); return *this; }
  TempExpression& Number(int64_t value) { FormatInteger(value, g_temp.pos); return *this; }
  TempExpression& Replace(const char* s, const char* find, const char* repl) {
    ReplaceText(s, find, repl, 0, 1, g_temp.pos);
    return *this;
  }
  const char* Finish() {
    *ReserveTemp(1, g_temp.pos) = 0;
    return g_temp.text + start_;
  }

 private:
  int32_t start_;
};
