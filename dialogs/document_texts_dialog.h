// The document texts dialog without its window: drawing name, drawing
// number and second drawing name of both wheels and the two info texts, as
// the person types them. The model gets them only on OK.
#pragma once

#include <array>
#include <string>

namespace kv5 {

class DocumentTextsDialog {
 public:
  // Index 0 is wheel 1 ("Rad 1"), index 1 wheel 2 ("Rad 2").
  struct Fields {
    std::array<std::string, 2> drawingName;    // "Zeichnungsname"
    std::array<std::string, 2> drawingNumber;  // "Zeichnungsnummer"
    std::array<std::string, 2> drawingName2;   // "Zeichnungsname 2"
    std::array<std::string, 2> infoText;       // "Text 1", "Text 2"
    bool operator==(const Fields&) const = default;
  };

  // Window caption: the program's full title.
  static std::string Caption();

  void FillFromModel();
  void ApplyToModel() const;

  const Fields& fields() const { return fields_; }
  Fields& mutableFields() { return fields_; }  // typing into the fields

  // OK clears abortFlag and writes the eight texts; Cancel sets abortFlag
  // and leaves the model alone. Both return whether the dialog closes.
  bool Ok();
  bool Cancel();

 private:
  Fields fields_;
};

}  // namespace kv5
