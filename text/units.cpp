#include "text/units.h"

namespace kv5 {

short unitSystem = 0;

}  // namespace kv5
