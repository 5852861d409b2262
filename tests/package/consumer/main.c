/* Compiles and links only when HEADER put art.h on the include path and
   art.c among the sources. */
#include "art.h"

int main(void) {
  return art_pictures[ART_SUB_B_BMP].width == 1 && art_data[0] == 0x04 ? 0 : 1;
}
