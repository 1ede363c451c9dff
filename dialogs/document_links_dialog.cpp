#include "dialogs/document_links_dialog.h"

#include <cassert>
#include <optional>

#include "app/core/main_commands.h"
#include "dialogs/file_checks.h"
#include "model/drive_model.h"
#include "platform/platform.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

size_t Index(int n) {
  assert(n >= 1 && n <= kDocumentLinkCount);
  return static_cast<size_t>(n - 1);
}

std::optional<std::string> Browse(const std::string& current, const std::string& pattern) {
  FileDialogRequest request;
  request.filter = pattern + "|" + pattern;
  request.initialFolder = current.empty() ? std::string() : FolderPart(current);
  return CurrentPlatform().AskOpenFile(request);
}

}  // namespace

DocumentLinksDialog::DocumentLinksDialog() {
  for (int n = 1; n <= kDocumentLinkCount; ++n) links_[Index(n)] = documentData.documentLinks[n];
}

std::string DocumentLinksDialog::Caption() {
  return "Document Links  -  " + MainWindowCaption();
}
std::string DocumentLinksDialog::ProgramLabel(int n) {
  return "Program " + std::to_string(n);
}
std::string DocumentLinksDialog::FileLabel(int n) {
  return "File " + std::to_string(n);
}

std::string& DocumentLinksDialog::program(int n) {
  return links_[Index(n)].program;
}
std::string& DocumentLinksDialog::file(int n) {
  return links_[Index(n)].file;
}
const std::string& DocumentLinksDialog::program(int n) const {
  return links_[Index(n)].program;
}
const std::string& DocumentLinksDialog::file(int n) const {
  return links_[Index(n)].file;
}

void DocumentLinksDialog::BrowseProgram(int n) {
  if (std::optional<std::string> chosen = Browse(program(n), "*.exe")) program(n) = *chosen;
}
void DocumentLinksDialog::BrowseFile(int n) {
  if (std::optional<std::string> chosen = Browse(file(n), "*.*")) file(n) = *chosen;
}

void DocumentLinksDialog::RunProgram(int n) const {
  if (TrimBlanks(program(n)).empty()) return;
  CurrentPlatform().StartProgram(program(n) + " " + file(n));
}
void DocumentLinksDialog::OpenFile(int n) const {
  if (TrimBlanks(file(n)).empty()) return;
  CurrentPlatform().OpenWithAssociatedProgram(file(n));
}

bool DocumentLinksDialog::Ok() {
  abortFlag = false;
  for (int n = 1; n <= kDocumentLinkCount; ++n) documentData.documentLinks[n] = links_[Index(n)];
  return true;
}

bool DocumentLinksDialog::Cancel() {
  abortFlag = true;
  return true;
}

void DocumentLinksDialog::Help() const {
  if (showHelp) showHelp(kHelpTopic);
}

}  // namespace kv5
