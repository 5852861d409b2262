#include "picture_reader.h"

#include <string.h>

#if ART_BYTES_PER_PIXEL != 2
#error "picture_reader decodes rgb565le: convert with FORMAT rgb565le"
#endif

/* Bytes fetched at a time: small enough for an MCU's stack. */
#define PICTURE_CHUNK 64u

static int fetch_memory(void* context, uint32_t offset, uint8_t* out, uint32_t size) {
  memcpy(out, (const uint8_t*)context + offset, size);
  return 0;
}

picture_store picture_store_memory(const uint8_t* base) {
  picture_store store;
  store.fetch = fetch_memory;
  store.context = (void*)base;
  return store;
}

/* A flashed table may be stale or corrupt: never read past the binary. */
static enum picture_status check_entry(const art_picture* p) {
  uint32_t expected = (uint32_t)p->width * p->height * ART_BYTES_PER_PIXEL;
  if (p->length != expected || p->offset > ART_BINARY_SIZE ||
      p->length > ART_BINARY_SIZE - p->offset)
    return PICTURE_BAD_ENTRY;
  return PICTURE_OK;
}

enum picture_status picture_read_row(const picture_store* store, enum art_picture_id id, uint16_t y,
                                     uint16_t* row, size_t capacity) {
  const art_picture* p;
  uint8_t bytes[PICTURE_CHUNK];
  uint32_t offset;
  uint16_t x = 0;
  if ((unsigned)id >= ART_PICTURE_COUNT) return PICTURE_NO_SUCH_ID;
  p = &art_pictures[id];
  if (check_entry(p) != PICTURE_OK) return PICTURE_BAD_ENTRY;
  if (y >= p->height) return PICTURE_NO_SUCH_ROW;
  if (capacity < p->width) return PICTURE_SHORT_BUFFER;
  offset = p->offset + (uint32_t)y * p->width * ART_BYTES_PER_PIXEL;
  while (x < p->width) {
    uint32_t count = p->width - x;
    uint32_t k;
    if (count > PICTURE_CHUNK / 2u) count = PICTURE_CHUNK / 2u;
    if (store->fetch(store->context, offset + 2u * x, bytes, 2u * count) != 0)
      return PICTURE_READ_FAILED;
    /* rgb565le: the value's low byte first. */
    for (k = 0; k < count; ++k, ++x) row[x] = (uint16_t)(bytes[2u * k] | (bytes[2u * k + 1u] << 8));
  }
  return PICTURE_OK;
}

enum picture_status picture_crc32(const picture_store* store, uint32_t size, uint32_t* crc) {
  uint8_t bytes[PICTURE_CHUNK];
  uint32_t c = 0xFFFFFFFFu;
  uint32_t done = 0;
  while (done < size) {
    uint32_t count = size - done < PICTURE_CHUNK ? size - done : PICTURE_CHUNK;
    uint32_t k;
    int bit;
    if (store->fetch(store->context, done, bytes, count) != 0) return PICTURE_READ_FAILED;
    for (k = 0; k < count; ++k) {
      c ^= bytes[k];
      for (bit = 0; bit < 8; ++bit) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    done += count;
  }
  *crc = ~c;
  return PICTURE_OK;
}

const char* picture_status_text(enum picture_status status) {
  switch (status) {
    case PICTURE_OK:
      return "ok";
    case PICTURE_NO_SUCH_ID:
      return "no picture has that id";
    case PICTURE_BAD_ENTRY:
      return "the table's entry does not fit the binary";
    case PICTURE_NO_SUCH_ROW:
      return "the picture has no such row";
    case PICTURE_SHORT_BUFFER:
      return "the row buffer is narrower than the picture";
    case PICTURE_READ_FAILED:
      return "reading the binary failed";
  }
  return "unknown status";
}
