// The document links dialog "Document Links" without its window: five
// programs, each with a file, the "..." file choosers, running a program
// with its file and opening a file with the program the platform associates
// with it.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "graphics/drawing_info.h"

namespace kv5 {

class DocumentLinksDialog {
 public:
  static constexpr int kHelpTopic = 2730;
  static constexpr int kProgramHintTopic = 2710;
  static constexpr int kFileHintTopic = 2720;

  std::function<void(int topic)> showHelp;

  // Filled from documentData.
  DocumentLinksDialog();

  static std::string Caption();            // "Document Links  -  " + the window caption
  static std::string ProgramLabel(int n);  // "Program <n>"
  static std::string FileLabel(int n);     // "File <n>"

  // Row n = 1..5.
  std::string& program(int n);
  std::string& file(int n);
  const std::string& program(int n) const;
  const std::string& file(int n) const;

  // "..." buttons: an open-file dialog ("*.exe" for programs, "*.*" for
  // files) in the folder of the current entry; a chosen file replaces it.
  void BrowseProgram(int n);
  void BrowseFile(int n);
  // The program of row n with its file as argument; the file of row n
  // with the program associated with it. An empty entry starts nothing.
  void RunProgram(int n) const;
  void OpenFile(int n) const;

  bool Ok();      // clears abortFlag, stores the ten entries
  bool Cancel();  // sets abortFlag
  void Help() const;

 private:
  std::array<DokuRecord, kDocumentLinkCount> links_;
};

}  // namespace kv5
