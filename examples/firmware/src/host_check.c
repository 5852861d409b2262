/* Reads every picture of art.bin back through the generated table, from the
   file and from art_data[], and checks each pixel against its source BMP
   and the binary against the header's size and CRC-32.

     host_check ART_BIN PICTURES_FOLDER

   Exits 0 when all match; otherwise prints one line naming what differs. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "art.h"
#include "picture_file_store.h"
#include "picture_reader.h"

/* The pictures by the names firmware uses for them: a renamed or missing
   picture stops this program compiling, as it would stop the firmware. */
static const struct {
  enum art_picture_id id;
  const char* path;
} sources[] = {
    {ART_ICONS_BATTERY_BMP, "icons/battery.bmp"},
    {ART_ICONS_ICON_16_BMP, "icons/icon-16.bmp"},
    {ART_LOGO_BMP, "logo.bmp"},
    {ART_STATUS_WIFI_OK_BMP, "status/wifi ok.bmp"},
};
#define SOURCE_COUNT (sizeof sources / sizeof sources[0])

/* A 24-bit BMP as the example's pictures are: 54-byte header, no
   compression, bottom-up rows padded to 4 bytes. */
typedef struct bmp24 {
  unsigned char* bytes;
  long size;
  unsigned long pixels;
  long width;
  long height;
} bmp24;

static long little_endian(const unsigned char* p, int count) {
  unsigned long value = 0;
  while (count--) value = (value << 8) | p[count];
  return (long)value;
}

static int fail(const char* path, const char* why) {
  fprintf(stderr, "host_check: %s: %s\n", path, why);
  return 1;
}

static unsigned char* read_file(const char* path, long* size) {
  unsigned char* bytes = NULL;
  FILE* file = fopen(path, "rb");
  if (!file) return NULL;
  if (fseek(file, 0, SEEK_END) == 0 && (*size = ftell(file)) > 0 && fseek(file, 0, SEEK_SET) == 0 &&
      (bytes = malloc((size_t)*size)) != NULL &&
      fread(bytes, 1, (size_t)*size, file) != (size_t)*size) {
    free(bytes);
    bytes = NULL;
  }
  fclose(file);
  return bytes;
}

static int load_bmp24(const char* path, bmp24* bmp) {
  const unsigned char* h;
  if (!(bmp->bytes = read_file(path, &bmp->size))) return fail(path, "cannot be read");
  h = bmp->bytes;
  if (bmp->size < 54 || h[0] != 'B' || h[1] != 'M' || little_endian(h + 28, 2) != 24 ||
      little_endian(h + 30, 4) != 0)
    return fail(path, "is not an uncompressed 24-bit BMP");
  bmp->pixels = (unsigned long)little_endian(h + 10, 4);
  bmp->width = little_endian(h + 18, 4);
  bmp->height = little_endian(h + 22, 4);
  if (bmp->width <= 0 || bmp->height <= 0 ||
      bmp->pixels + (unsigned long)(((bmp->width * 3 + 3) & ~3L) * bmp->height) >
          (unsigned long)bmp->size)
    return fail(path, "is not a bottom-up BMP whose rows fit the file");
  return 0;
}

/* The source pixel as rgb565le stores it: R >> 3, G >> 2, B >> 3. */
static unsigned source_rgb565(const bmp24* bmp, long x, long y) {
  long stride = (bmp->width * 3 + 3) & ~3L;
  const unsigned char* p = bmp->bytes + bmp->pixels + (bmp->height - 1 - y) * stride + 3 * x;
  return ((unsigned)(p[2] >> 3) << 11) | ((unsigned)(p[1] >> 2) << 5) | (unsigned)(p[0] >> 3);
}

static int compare_row(const char* path, const char* where, const bmp24* bmp, long y,
                       const uint16_t* row) {
  long x;
  for (x = 0; x < bmp->width; ++x) {
    unsigned want = source_rgb565(bmp, x, y);
    if (row[x] != want) {
      fprintf(stderr,
              "host_check: %s: pixel (%ld, %ld) reads 0x%04X from %s, the source gives 0x%04X\n",
              path, x, y, (unsigned)row[x], where, want);
      return 1;
    }
  }
  return 0;
}

static int check_rows(const char* path, const bmp24* bmp, enum art_picture_id id,
                      const picture_store* file, const picture_store* memory, uint16_t* row) {
  long y;
  for (y = 0; y < bmp->height; ++y) {
    enum picture_status status = picture_read_row(file, id, (uint16_t)y, row, (size_t)bmp->width);
    if (status == PICTURE_OK && compare_row(path, "art.bin", bmp, y, row)) return 1;
    if (status == PICTURE_OK)
      status = picture_read_row(memory, id, (uint16_t)y, row, (size_t)bmp->width);
    if (status != PICTURE_OK) return fail(path, picture_status_text(status));
    if (compare_row(path, "art_data[]", bmp, y, row)) return 1;
  }
  return 0;
}

static int check_picture(const char* folder, size_t k, const picture_store* file,
                         const picture_store* memory) {
  char path[4096];
  bmp24 bmp = {NULL, 0, 0, 0, 0};
  const art_picture* entry = &art_pictures[sources[k].id];
  uint16_t* row = NULL;
  int failed;
  snprintf(path, sizeof path, "%s/%s", folder, sources[k].path);
  failed = load_bmp24(path, &bmp);
  if (!failed && (entry->width != bmp.width || entry->height != bmp.height)) {
    fprintf(stderr, "host_check: %s: the table says %ux%u, the source is %ldx%ld\n", path,
            (unsigned)entry->width, (unsigned)entry->height, bmp.width, bmp.height);
    failed = 1;
  }
  if (!failed && !(row = malloc(sizeof *row * (size_t)bmp.width)))
    failed = fail(path, "out of memory");
  if (!failed) failed = check_rows(path, &bmp, sources[k].id, file, memory, row);
  free(row);
  free(bmp.bytes);
  return failed;
}

static int check_binary(const char* bin, FILE* file, const picture_store* store,
                        const picture_store* memory) {
  uint32_t crc = 0, embedded = 0;
  long size = fseek(file, 0, SEEK_END) == 0 ? ftell(file) : -1;
  if (size != (long)ART_BINARY_SIZE) {
    fprintf(stderr, "host_check: %s: %ld bytes, art.h says %lu\n", bin, size,
            (unsigned long)ART_BINARY_SIZE);
    return 1;
  }
  if (picture_crc32(store, ART_BINARY_SIZE, &crc) != PICTURE_OK ||
      picture_crc32(memory, ART_BINARY_SIZE, &embedded) != PICTURE_OK)
    return fail(bin, "cannot be read for its CRC-32");
  if (crc != ART_BINARY_CRC32 || embedded != ART_BINARY_CRC32) {
    fprintf(stderr, "host_check: %s: CRC-32 0x%08lX, art_data[] 0x%08lX, art.h says 0x%08lX\n", bin,
            (unsigned long)crc, (unsigned long)embedded, (unsigned long)ART_BINARY_CRC32);
    return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  FILE* file;
  picture_store store, memory = picture_store_memory(art_data);
  size_t k;
  int failed = 0;
  if (argc != 3) {
    fprintf(stderr, "usage: host_check ART_BIN PICTURES_FOLDER\n");
    return 2;
  }
  if (SOURCE_COUNT != ART_PICTURE_COUNT) {
    fprintf(stderr, "host_check: art.h has %u pictures, this program knows %u\n",
            (unsigned)ART_PICTURE_COUNT, (unsigned)SOURCE_COUNT);
    return 1;
  }
  if (!(file = fopen(argv[1], "rb"))) return fail(argv[1], "cannot be opened");
  store = picture_store_file(file);
  /* Pictures first: a wrong pixel is named before the CRC says only that something differs. */
  for (k = 0; k < SOURCE_COUNT && !failed; ++k) failed = check_picture(argv[2], k, &store, &memory);
  if (!failed) failed = check_binary(argv[1], file, &store, &memory);
  fclose(file);
  if (!failed)
    printf(
        "host_check: %u pictures match their sources; %s is %lu bytes, CRC-32 0x%08lX as art.h "
        "says\n",
        (unsigned)ART_PICTURE_COUNT, argv[1], (unsigned long)ART_BINARY_SIZE,
        (unsigned long)ART_BINARY_CRC32);
  return failed;
}
