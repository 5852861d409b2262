/* Reads the pictures of art.bin through the table art.c defines, wherever
   the bytes are: a file on the build machine, art_data[] linked into the
   firmware, or the address the binary was flashed to. Portable C99. */
#ifndef PICTURE_READER_H
#define PICTURE_READER_H

#include <stddef.h>
#include <stdint.h>

#include "art.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Copies `size` bytes from `offset` of the binary into `out`; 0 on success. */
typedef int (*picture_fetch)(void* context, uint32_t offset, uint8_t* out, uint32_t size);

typedef struct picture_store {
  picture_fetch fetch;
  void* context;
} picture_store;

enum picture_status {
  PICTURE_OK = 0,
  PICTURE_NO_SUCH_ID,   /* id >= ART_PICTURE_COUNT */
  PICTURE_BAD_ENTRY,    /* the table's entry does not fit the binary */
  PICTURE_NO_SUCH_ROW,  /* y >= the picture's height */
  PICTURE_SHORT_BUFFER, /* fewer than width values in `row` */
  PICTURE_READ_FAILED   /* the store's fetch failed */
};

/* A store over bytes in memory: art_data, or the flash address of art.bin.
   (picture_file_store.h has one over a file, for the build machine.) */
picture_store picture_store_memory(const uint8_t* base);

/* Reads row `y` of picture `id` as RGB565 values, `capacity` at most. */
enum picture_status picture_read_row(const picture_store* store, enum art_picture_id id, uint16_t y,
                                     uint16_t* row, size_t capacity);

/* CRC-32 (IEEE, as zlib) of the store's first `size` bytes; compare it with
   ART_BINARY_CRC32 before trusting a flashed binary. */
enum picture_status picture_crc32(const picture_store* store, uint32_t size, uint32_t* crc);

const char* picture_status_text(enum picture_status status);

#ifdef __cplusplus
}
#endif

#endif /* PICTURE_READER_H */
