// Strings: string variables in stringHeap, the process-wide temporary buffer in which
// string expressions are built (named by offset, since the buffer moves when it grows),
// decimal formatting, substring replacement and number parsing.
#pragma once
#include <cstdint>

#include "runtime/platform.h"

// The temporary buffer. Text built in it is named by its offset, never kept by address: any
// operation that reserves room may move the buffer. Every piece of text in it is followed by
// a terminator that pos does not count.
struct TempBuffer {
  char* text;        // in stringHeap; moves when it grows
  int32_t pos;       // bytes in use: the next piece is written at this offset
  int32_t capacity;  // usable size; the block is capacity + 5 bytes
};

extern HeapRef stringHeap;
extern TempBuffer g_temp;

// Creates stringHeap and a temporary buffer of 16 bytes, empty (runtime start-up).
void strings_library_init();

// String results. An operation that yields a string (FormatInteger, ReplaceText, the
// gadgets' text getters) takes as its last argument the offset to write it at, in practice
// g_temp.pos; it leaves its text and a terminator there and pos just past the text. The
// caller forms the address, g_temp.text + offset, only after the call. An operation may read
// its input from the very offset where it writes its result (ReplaceText copies it first):
//   int32_t start = g_temp.pos;
//   gadget_text_get(list, start);                                // the text at start
//   ReplaceText(g_temp.text + start, "Gamepad ", "", 0, 1, start);  // replaced in place
//   int64_t n = ParseInteger(g_temp.text + start);
//   SetTempPos(start);                                           // the buffer given back
// A whole expression is easier built with TempExpression (below).

// Makes room for length bytes at offset, growing the buffer (which may move it) when they
// would come within 4 bytes of its capacity, counted from pos or offset, whichever is
// further; sets pos to offset + length and returns the address of offset. The caller
// writes the bytes and, usually, a terminator.
char* ReserveTemp(int32_t length, int32_t offset);
// Gives back the last count bytes reserved (pos -= count), for an operation that reserved
// more than its text took. Returns the new pos.
int32_t GiveBackTemp(int32_t count);
// Sets pos to offset and writes a terminator there: ends a piece of text, or gives back
// everything from offset on. Returns the offset.
int32_t SetTempPos(int32_t offset);
// 1 + the offset of an address in the used part of the buffer, 0 for any other address: an
// operation about to reserve room copies such inputs first.
int32_t TempOffsetOf(const char* address);
// Appends s (which may lie in the buffer) at pos with a terminator, pos past its text;
// returns where it went. For null only writes a terminator at pos and returns its address.
char* AppendString(const char* s);

// String variables: a block of its own in stringHeap per text, or null, read as empty.
// NewString stores a copy of s (null: nothing happens; the old block is not freed).
void NewString(char** variable, const char* s);
// Replaces the variable's text with a copy of s (s may be that text); returns length + 1.
// Null frees the block, leaves the variable null and returns 1.
int32_t AssignString(char** variable, const char* s);
void FreeString(char** variable);

// Writes the decimal text of value at offset (a string result, above).
void FormatInteger(int64_t value, int32_t offset);
// Writes s with every occurrence of find from position start (1-based) on replaced by repl
// at offset (a string result); mode bit 0 compares without case, bit 1 overwrites s in place
// with a repl of find's length and writes nothing at offset.
void ReplaceText(const char* s, const char* find, const char* repl, int32_t mode, int32_t start,
                 int32_t offset);
// Reads an optionally signed decimal, "$" hexadecimal or "%" binary number after leading
// blanks and tabs; 0 for null or no digits.
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
