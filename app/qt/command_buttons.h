// The push buttons along the bottom of a form.
#pragma once

class QBoxLayout;
class QPushButton;
class QWidget;

namespace kv5 {

// A button with its component name in the row. Only the form's default
// button answers Enter, so no button becomes the default by taking focus.
QPushButton* AddCommandButton(QWidget* form, QBoxLayout* row, const char* name, const char* text);

}  // namespace kv5
