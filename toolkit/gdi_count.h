// Live counts of the GDI and USER objects the toolkit itself makes and deletes, so that
// tests can prove nothing leaks where the platform reports no counts (GetGuiResources
// answers 0 under Wine). Main thread only, like everything that makes these objects.
#pragma once
#include <cstdint>

struct GdiCounts {
  int32_t brushes;     // shared gadget brushes
  int32_t fonts;       // font library fonts
  int32_t bitmaps;     // picture gadgets' own copies and their premultiplied copies
  int32_t icons;       // picture gadgets' copies of icons
  int32_t imageLists;  // drop-down lists with images
};

inline GdiCounts g_gdiCounts;
