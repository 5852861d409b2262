// The application's resources as data: dialog templates, strings and icons.
// The Windows resource script is generated from the same tables, so the
// wx and headless backends build exactly what the Win32 backend loads.
#pragma once

#include <cstdint>
#include <span>

#include "ui/framework/afx_types.h"

// A symbolic id and its name, so the generated resource script can use the
// names of resource.h.
struct ResourceId {
  int value;
  const char* name;
};
#define RESOURCE_ID(id) \
  ResourceId {          \
    (id), #id           \
  }

// One control of a dialog template. Measures are dialog units.
struct DialogItemTemplate {
  ResourceId id;
  const char* windowClass;  // "EDIT", "STATIC", "BUTTON", "LISTBOX"
  const wchar_t* text;      // null: no text
  ResourceId iconId;        // SS_ICON statics: the icon resource; else {0}
  uint32_t style;
  int x, y, cx, cy;
};

struct DialogFont {
  const wchar_t* face;
  int pointSize;
  int weight;
  bool italic;
  int charset;
};

struct DialogTemplate {
  ResourceId id;
  uint16_t language;  // primary and sub-language, e.g. 0x0804
  const wchar_t* caption;
  uint32_t style;
  uint32_t exStyle;
  int x, y, cx, cy;
  DialogFont font;
  std::span<const DialogItemTemplate> items;  // creation and tab order
};

struct StringResource {
  ResourceId id;
  uint16_t language;
  const wchar_t* text;
};

// An icon: square pictures of a few sizes, each with rows top first, one
// 0xAARRGGBB value per pixel, straight (not premultiplied) alpha.
struct IconResource {
  ResourceId id;
  std::span<const int> sizes;           // smallest first
  const uint32_t* (*pixels)(int size);  // size x size, for each of sizes
  const char* fileName;                 // the .ico the resource script names
};

struct ResourceTable {
  std::span<const DialogTemplate> dialogs;
  std::span<const StringResource> strings;
  std::span<const IconResource> icons;
};

// Defined by the application: its resources.
const ResourceTable& AfxGetResourceTable();

// Lookups in the application's table; null when the id is not there.
const DialogTemplate* AfxFindDialogTemplate(UINT nID);
const IconResource* AfxFindIcon(UINT nID);
