#include "text/string_routines.h"

namespace kv5 {

short dateFormat = 3;

}  // namespace kv5
