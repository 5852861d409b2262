#include "picture_file_store.h"

static int fetch_file(void* context, uint32_t offset, uint8_t* out, uint32_t size) {
  FILE* file = (FILE*)context;
  if (fseek(file, (long)offset, SEEK_SET) != 0) return -1;
  return fread(out, 1, size, file) == size ? 0 : -1;
}

picture_store picture_store_file(FILE* file) {
  picture_store store;
  store.fetch = fetch_file;
  store.context = file;
  return store;
}
