// The small modal input dialogs shared by the whole program: the choice as
// a list ("Auswahl", Tin_codedialog) or as radio buttons (Tin_radiodialog),
// the text input ("Eingabe", Tin_textdialog) and the yes/no choice
// (Tin_janeindialog). Each has OK, "Abbrechen" and the two help buttons
// "&Hilfetext" and "Hilfe&bild", which show the help of the current topic
// and leave the dialog open.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include "app/qt/help_hook.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace kv5 {

// The frame of every input dialog: a content area above the button row.
class InputDialog : public QDialog {
  Q_OBJECT
 public:
  InputDialog(const QString& caption, int helpTopic, HelpHook help, QWidget* parent);

 protected:
  QVBoxLayout* content() const { return content_; }

 private:
  QVBoxLayout* content_;
};

class Tin_codedialog : public InputDialog {
  Q_OBJECT
 public:
  Tin_codedialog(const QString& title, const QStringList& items, int preselected, int helpTopic,
                 HelpHook help, QWidget* parent = nullptr);
  int chosen() const;  // 0-based, -1 when nothing is selected

 private:
  QListWidget* ListBox1;
};

class Tin_radiodialog : public InputDialog {
  Q_OBJECT
 public:
  Tin_radiodialog(const QString& title, const QStringList& items, int preselected, int helpTopic,
                  HelpHook help, QWidget* parent = nullptr);
  int chosen() const;  // 0-based, -1 when nothing is selected

 private:
  QButtonGroup* RadioGroup1;
};

class Tin_textdialog : public InputDialog {
  Q_OBJECT
 public:
  Tin_textdialog(const QString& prompt, int maxLength, const QString& text, int helpTopic,
                 HelpHook help, QWidget* parent = nullptr);
  QString text() const;

 private:
  QLineEdit* EditEinText;
};

class Tin_janeindialog : public InputDialog {
  Q_OBJECT
 public:
  Tin_janeindialog(const QString& question, bool yes, int helpTopic, HelpHook help,
                   QWidget* parent = nullptr);
  bool yes() const;

 private:
  QRadioButton* yes_;
};

}  // namespace kv5
