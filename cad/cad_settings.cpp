#include "cad/cad_settings.h"

namespace kv5 {

Real stlFitClearanceBore = 0;

}  // namespace kv5
