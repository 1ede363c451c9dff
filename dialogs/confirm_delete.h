// Deleting a file of the project folder after a question.
#pragma once

#include <string>

namespace kv5 {

// Open dialog for "*." + extension in the project folder, then
// "<name> wirklich löschen ?"; Yes deletes the file. Cancel, No and a
// file that cannot be read or deleted set abortFlag; a failed deletion is
// reported. Returns whether the file was deleted.
bool ConfirmDelete(const std::string& extension);

}  // namespace kv5
