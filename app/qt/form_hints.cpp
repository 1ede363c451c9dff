#include "app/qt/form_hints.h"

namespace kv5 {

namespace {
HintFunction formHints;
}

void SetFormHints(HintFunction hints) {
  formHints = std::move(hints);
}

QString FormHint(int topic) {
  return formHints ? QString::fromStdString(formHints(topic)) : QString();
}

}  // namespace kv5
