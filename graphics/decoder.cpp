// The decoder registry: up to DECODER_MAX decoder tables asked in registration order, and
// the one context every load goes through (loads do not nest).
// Depends on the runtime heap for the context and on C stdio for the file.
// Limitation: a load in progress is closed when a new one opens.
#include "graphics/decoder.h"

#include "runtime/runtime.h"

namespace {

struct DecoderLibrary {
  const Decoder* decoders[DECODER_MAX];
  int32_t count;
  DecoderContext* context;
};

DecoderLibrary g_decoders;

// The registry's own guard on what probe accepted, whatever the file claimed.
bool SizeAcceptable(const DecoderContext& c) {
  return c.width >= 1 && c.width <= DECODER_MAX_SIDE && c.height >= 1 && c.height <= DECODER_MAX_SIDE &&
         int64_t(c.width) * c.height <= DECODER_MAX_PIXELS && (c.depth == 24 || c.depth == 32);
}

// Forgets everything a probe may have filled, keeping the open file.
void ResetProbe(DecoderContext* c) {
  FILE* file = c->file;
  const char* name = c->file_name;
  *c = DecoderContext{};
  c->file = file;
  c->file_name = name;
}

}  // namespace

void decoder_registry_init() {
  g_decoders = DecoderLibrary{};
  g_decoders.context = static_cast<DecoderContext*>(ObjectAlloc(sizeof(DecoderContext)));
}

int32_t decoder_register(const Decoder* decoder) {
  if (!decoder || g_decoders.count >= DECODER_MAX) return 0;
  g_decoders.decoders[g_decoders.count++] = decoder;
  return 1;
}

int32_t decoder_is_registered(const Decoder* decoder) {
  for (int32_t i = 0; i < g_decoders.count; ++i)
    if (g_decoders.decoders[i] == decoder) return 1;
  return 0;
}

int32_t decoder_open(const char* file_name) {
  if (!file_name || !g_decoders.context) return 0;
  return decoder_open_stream(std::fopen(file_name, "rb"), file_name);
}

int32_t decoder_open_stream(FILE* file, const char* file_name) {
  if (!file) return 0;
  DecoderContext* c = g_decoders.context;
  if (!c) {
    std::fclose(file);
    return 0;
  }
  decoder_close();
  c->file = file;
  c->file_name = file_name;
  for (int32_t i = 0; i < g_decoders.count; ++i) {
    const Decoder* decoder = g_decoders.decoders[i];
    ResetProbe(c);
    if (std::fseek(file, 0, SEEK_SET) != 0) break;
    if (!decoder->probe(c)) continue;
    c->decoder = decoder;
    if (SizeAcceptable(*c)) return 1;
    decoder->cleanup(c);
  }
  std::fclose(file);
  *c = DecoderContext{};
  return 0;
}

int32_t decoder_width() { return g_decoders.context ? g_decoders.context->width : 0; }
int32_t decoder_height() { return g_decoders.context ? g_decoders.context->height : 0; }
int32_t decoder_depth() { return g_decoders.context ? g_decoders.context->depth : 0; }
int32_t decoder_source_depth() { return g_decoders.context ? g_decoders.context->source_depth : 0; }

int32_t decoder_decode(uint8_t* pixels, int32_t stride, int32_t flags) {
  DecoderContext* c = g_decoders.context;
  if (!c || !c->decoder) return 0;
  int32_t result = 0;
  // A buffer whose rows cannot hold a line would be overrun: refuse it.
  if (pixels && int64_t(stride) >= int64_t(c->width) * (c->depth / 8)) {
    PixelBuffer target{pixels, c->width, c->height, stride, c->depth / 8, (flags & DECODE_BOTTOM_UP) != 0};
    result = c->decoder->decode(c, target);
  }
  decoder_close();
  return result;
}

void decoder_close() {
  DecoderContext* c = g_decoders.context;
  if (!c) return;
  if (c->decoder) c->decoder->cleanup(c);
  if (c->file) std::fclose(c->file);
  *c = DecoderContext{};
}
