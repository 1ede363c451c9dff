#include "text/text_conversion.h"

namespace kv5 {

short transliterate = 0;
short cadTextMode = 2;

}  // namespace kv5
