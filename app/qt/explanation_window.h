// The explanation window of one message ("Fehlermeldung"): the message
// read-only, its cause and remedy editable. OK hands back the edited texts
// when either was changed; the caller asks whether to save them.
#pragma once

#include <QDialog>
#include <optional>

#include "app/qt/help_hook.h"
#include "platform/platform.h"

class QLineEdit;
class QPlainTextEdit;

namespace kv5 {

class Thelperr : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpTopic = 1970;

  Thelperr(const QString& message, const QString& cause, const QString& remedy, HelpHook help,
           QWidget* parent = nullptr);

  bool modified() const { return modified_; }
  // Cause and remedy as typed; line breaks become blanks because each is
  // stored as one line of the explanation file.
  ExplanationTexts texts() const;
  // After exec(): the texts when OK was pressed with a change, else nothing.
  std::optional<ExplanationTexts> Result() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* Edit_meldung;
  QPlainTextEdit* Memo_ursache;
  QPlainTextEdit* Memo_abhilfe;
  bool modified_ = false;
};

}  // namespace kv5
