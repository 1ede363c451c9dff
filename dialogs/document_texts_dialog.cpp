#include "dialogs/document_texts_dialog.h"

#include "app/core/identity.h"
#include "model/drive_model.h"

namespace kv5 {

std::string DocumentTextsDialog::Caption() {
  return programTitle;
}

void DocumentTextsDialog::FillFromModel() {
  for (int wheel = 1; wheel <= 2; ++wheel) {
    const size_t i = static_cast<size_t>(wheel - 1);
    fields_.drawingName[i] = model.drawingName[wheel];
    fields_.drawingNumber[i] = model.drawingNumber[wheel];
    fields_.drawingName2[i] = model.drawingName2[wheel];
  }
  // The model's third info text belongs to other dialogs and stays as it is.
  fields_.infoText = {model.infoText[0], model.infoText[1]};
}

void DocumentTextsDialog::ApplyToModel() const {
  for (int wheel = 1; wheel <= 2; ++wheel) {
    const size_t i = static_cast<size_t>(wheel - 1);
    model.drawingName[wheel] = fields_.drawingName[i];
    model.drawingNumber[wheel] = fields_.drawingNumber[i];
    model.drawingName2[wheel] = fields_.drawingName2[i];
  }
  model.infoText[0] = fields_.infoText[0];
  model.infoText[1] = fields_.infoText[1];
}

bool DocumentTextsDialog::Ok() {
  abortFlag = false;
  ApplyToModel();
  return true;
}

bool DocumentTextsDialog::Cancel() {
  abortFlag = true;
  return true;
}

}  // namespace kv5
