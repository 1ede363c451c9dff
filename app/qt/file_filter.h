// File dialog filters: the program writes them in the paired form
// "description|pattern|description|pattern" (patterns separated by ";");
// Qt wants "description (pattern pattern);;description (pattern)".
#pragma once

#include <QString>
#include <string>

namespace kv5 {

// "*.kv5|*.kv5" → "*.kv5 (*.kv5)"; "Projekte|*.kv5;*.kv1|Alle|*.*" →
// "Projekte (*.kv5 *.kv1);;Alle (*)". A pattern without description is
// taken as its own description; an empty filter offers every file.
QString QtFileFilter(const std::string& pairedFilter);

}  // namespace kv5
