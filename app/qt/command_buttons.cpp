#include "app/qt/command_buttons.h"

#include <QBoxLayout>
#include <QPushButton>

namespace kv5 {

QPushButton* AddCommandButton(QWidget* form, QBoxLayout* row, const char* name, const char* text) {
  auto* button = new QPushButton(text, form);
  button->setObjectName(name);
  button->setAutoDefault(false);
  row->addWidget(button);
  return button;
}

}  // namespace kv5
