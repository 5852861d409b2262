#include "platform/standard_streams.h"

namespace platform {

// POSIX streams never translate line ends.
void UseByteStandardStreams() {}

}  // namespace platform
