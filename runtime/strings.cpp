// Strings and number formatting over stringHeap and the temporary buffer.
#include "runtime/strings.h"

#include <cstdlib>
#include <cstring>

HeapRef stringHeap;
TempBuffer g_temp;

void strings_library_init() {
  stringHeap = PlatformHeapCreate();
  g_temp.pos = 0;
  g_temp.capacity = 16;
  g_temp.text = static_cast<char*>(PlatformHeapAlloc(stringHeap, size_t(g_temp.capacity) + 5, true));
}

char* ReserveTemp(int32_t length, int32_t offset) {
  // Room is measured from the further of tempPos and the offset: a result asked for past
  // tempPos must fit as well.
  int32_t from = offset > g_temp.pos ? offset : g_temp.pos;
  if (from + length >= g_temp.capacity - 4) {
    int32_t capacity = from + length + 16384;
    void* text = PlatformHeapReAlloc(stringHeap, g_temp.text, size_t(capacity) + 5, true);
    if (text) {
      g_temp.text = static_cast<char*>(text);
      g_temp.capacity = capacity;
    }
  }
  g_temp.pos = offset + length;
  return g_temp.text + offset;
}

int32_t GiveBackTemp(int32_t count) { return g_temp.pos -= count; }

int32_t SetTempPos(int32_t offset) {
  g_temp.pos = offset;
  g_temp.text[offset] = 0;
  return offset;
}

int32_t TempOffsetOf(const char* address) {
  if (!address || !g_temp.text) return 0;
  if (address >= g_temp.text && address <= g_temp.text + g_temp.pos)
    return int32_t(address - g_temp.text) + 1;
  return 0;
}

char* AppendString(const char* s) {
  if (!s) {
    g_temp.text[g_temp.pos] = 0;
    return g_temp.text + g_temp.pos;
  }
  // s may lie in the buffer itself; note its offset before the buffer can move.
  int32_t inside = TempOffsetOf(s);
  auto n = int32_t(std::strlen(s));
  char* dest = ReserveTemp(n, g_temp.pos);
  const char* src = inside ? g_temp.text + inside - 1 : s;
  std::memmove(dest, src, size_t(n));
  dest[n] = 0;
  return dest;
}

void NewString(char** variable, const char* s) {
  if (!s) return;
  size_t n = std::strlen(s);
  auto* block = static_cast<char*>(PlatformHeapAlloc(stringHeap, n + 5, false));
  if (!block) return;
  std::memcpy(block, s, n + 1);
  *variable = block;
}

int32_t AssignString(char** variable, const char* s) {
  if (!s) {
    FreeString(variable);
    return 1;
  }
  size_t n = std::strlen(s);
  // s may be the variable's own text or part of it: copy before the block moves.
  char* copy = static_cast<char*>(std::malloc(n + 1));
  if (!copy) return 1;
  std::memcpy(copy, s, n + 1);
  void* block = PlatformHeapReAlloc(stringHeap, *variable, n + 5, false);
  if (block) {
    std::memcpy(block, copy, n + 1);
    *variable = static_cast<char*>(block);
  }
  std::free(copy);
  return int32_t(n) + 1;
}

void FreeString(char** variable) {
  PlatformHeapFree(stringHeap, *variable);
  *variable = nullptr;
}

void FormatInteger(int64_t value, int32_t offset) {
  char digits[24];
  int n = 0;
  bool negative = value < 0;
  // Two's-complement magnitude as unsigned, so the smallest value needs no special case.
  uint64_t magnitude = negative ? uint64_t(0) - uint64_t(value) : uint64_t(value);
  do {
    digits[n++] = char('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  int32_t reserve = (value >= INT32_MIN && value <= INT32_MAX) ? 32 : 64;
  char* out = ReserveTemp(reserve, offset);
  int length = 0;
  if (negative) out[length++] = '-';
  while (n) out[length++] = digits[--n];
  out[length] = 0;
  GiveBackTemp(reserve - length);
}

namespace {

// An input that lies in the temporary buffer must be copied before the result is reserved.
struct StableText {
  explicit StableText(const char* s) : text(s ? s : ""), owned(nullptr) {
    if (TempOffsetOf(text)) {
      size_t n = std::strlen(text);
      owned = static_cast<char*>(std::malloc(n + 1));
      if (owned) {
        std::memcpy(owned, text, n + 1);
        text = owned;
      } else {
        text = "";
      }
    }
  }
  ~StableText() { std::free(owned); }
  StableText(const StableText&) = delete;
  StableText& operator=(const StableText&) = delete;
  const char* text;
  char* owned;
};

int LowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

bool SameIgnoringCase(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (LowerAscii(static_cast<unsigned char>(a[i])) != LowerAscii(static_cast<unsigned char>(b[i]))) return false;
    if (!a[i]) return true;
  }
  return true;
}

bool Matches(const char* at, const char* find, size_t findLength, bool anyCase) {
  if (anyCase) return SameIgnoringCase(at, find, findLength);
  return at[0] == find[0] && std::strncmp(at, find, findLength) == 0;
}

}  // namespace

void ReplaceText(const char* s, const char* find, const char* repl, int32_t mode, int32_t start,
                 int32_t offset) {
  if (start < 1) start = 1;
  bool anyCase = mode & 1;
  if (mode & 2) {
    // In place: s is overwritten, nothing is reserved.
    if (!s || !find || !*find) return;
    if (!repl) repl = "";
    char* text = const_cast<char*>(s);
    size_t length = std::strlen(text), findLength = std::strlen(find);
    size_t replLength = std::strlen(repl);
    size_t copy = replLength < findLength ? replLength : findLength;
    for (size_t i = size_t(start) - 1; i < length && i + findLength <= length;) {
      if (Matches(text + i, find, findLength, anyCase)) {
        std::memcpy(text + i, repl, copy);
        i += findLength;
      } else {
        ++i;
      }
    }
    return;
  }
  StableText source(s), needle(find), replacement(repl);
  size_t length = std::strlen(source.text), findLength = std::strlen(needle.text);
  size_t replLength = std::strlen(replacement.text);
  size_t first = size_t(start) - 1 < length ? size_t(start) - 1 : length;
  size_t count = 0;
  if (findLength) {
    for (size_t i = first; i + findLength <= length;) {
      if (Matches(source.text + i, needle.text, findLength, anyCase)) {
        ++count;
        i += findLength;
      } else {
        ++i;
      }
    }
  }
  size_t resultLength = length + (replLength - findLength) * count;
  char* out = ReserveTemp(int32_t(resultLength), offset);
  size_t o = 0;
  std::memcpy(out, source.text, first);
  o = first;
  for (size_t i = first; i < length;) {
    if (count && i + findLength <= length && Matches(source.text + i, needle.text, findLength, anyCase)) {
      std::memcpy(out + o, replacement.text, replLength);
      o += replLength;
      i += findLength;
    } else {
      out[o++] = source.text[i++];
    }
  }
  out[o] = 0;
}

int64_t ParseInteger(const char* s) {
  if (!s) return 0;
  while (*s == ' ' || *s == '\t') ++s;
  bool negative = false;
  if (*s == '-' || *s == '+') negative = *s++ == '-';
  unsigned base = 10;
  if (*s == '$') base = 16, ++s;
  else if (*s == '%') base = 2, ++s;
  uint64_t value = 0;
  for (;; ++s) {
    unsigned digit;
    if (*s >= '0' && *s <= '9') digit = unsigned(*s - '0');
    else if (base == 16 && *s >= 'a' && *s <= 'f') digit = unsigned(*s - 'a' + 10);
    else if (base == 16 && *s >= 'A' && *s <= 'F') digit = unsigned(*s - 'A' + 10);
    else break;
    if (digit >= base) break;
    value = value * base + digit;
  }
  return int64_t(negative ? uint64_t(0) - value : value);
}
