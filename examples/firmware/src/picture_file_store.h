/* A picture_store over art.bin as a file: for programs on the build machine,
   kept apart so that firmware never links stdio for it. */
#ifndef PICTURE_FILE_STORE_H
#define PICTURE_FILE_STORE_H

#include <stdio.h>

#include "picture_reader.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The file stays the caller's to close. */
picture_store picture_store_file(FILE* file);

#ifdef __cplusplus
}
#endif

#endif /* PICTURE_FILE_STORE_H */
