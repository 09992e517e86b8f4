// Windowed screen, sprite side: the list of sprites (textures shown on the screen) and the
// release and restore of their textures around a device reset.
// Needs the screen's device. Limitations: this program creates no sprites; a restored
// texture comes back empty and is refilled by whoever draws it.
#include "runtime/objects.h"
#include "toolkit/screen_state.h"

namespace {

struct SpriteRecord {
  intptr_t width;  // non-zero while the sprite exists, even while its texture is released
  int32_t height;
  D3DFORMAT format;
  IDirect3DTexture9* texture;
};

void FreeSprite(ObjectId id) {
  auto* sprite = static_cast<SpriteRecord*>(LookUpObject(g_screen.sprites, id));
  if (!sprite) return;
  if (sprite->texture) sprite->texture->Release();
  ReleaseObject(g_screen.sprites, id);
}

}  // namespace

void screen_sprites_create_list() {
  if (!g_screen.sprites) g_screen.sprites = NewObjectList(sizeof(SpriteRecord), 64, FreeSprite);
}

void screen_sprites_delete_list() {
  FreeAllObjects(g_screen.sprites);
  DeleteObjectList(g_screen.sprites);
  g_screen.sprites = nullptr;
}

void screen_sprites_free_all() { FreeAllObjects(g_screen.sprites); }

void screen_sprites_release() {
  if (!g_screen.sprites) return;
  ResetObjectCursor(g_screen.sprites);
  ObjectId id;
  while (auto* sprite = static_cast<SpriteRecord*>(NextObject(g_screen.sprites, &id))) {
    if (sprite->texture) sprite->texture->Release();
    sprite->texture = nullptr;
  }
}

void screen_sprites_restore() {
  if (!g_screen.sprites || !g_screen.device) return;
  ResetObjectCursor(g_screen.sprites);
  ObjectId id;
  while (auto* sprite = static_cast<SpriteRecord*>(NextObject(g_screen.sprites, &id))) {
    g_screen.device->CreateTexture(UINT(sprite->width), UINT(sprite->height), 1, 0, sprite->format,
                                   D3DPOOL_DEFAULT, &sprite->texture, nullptr);
  }
}
