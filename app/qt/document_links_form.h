// The document links window "Document Links" over DocumentLinksDialog:
// five programs with their files, "..." choosers, run and open buttons.
#pragma once

#include <QDialog>
#include <array>

#include "app/qt/help_hook.h"
#include "dialogs/document_links_dialog.h"

class QLineEdit;

namespace kv5 {

class TForm_confDoku : public QDialog {
  Q_OBJECT
 public:
  explicit TForm_confDoku(DocumentLinksDialog& logic, HelpHook help = {},
                          QWidget* parent = nullptr);
  void accept() override;
  void reject() override;

 private:
  void TakeTyped();
  void ShowLogic();

  DocumentLinksDialog& logic_;
  std::array<QLineEdit*, kDocumentLinkCount> programEdits_{};
  std::array<QLineEdit*, kDocumentLinkCount> fileEdits_{};
};

}  // namespace kv5
