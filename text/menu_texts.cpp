#include "text/menu_texts.h"

#include "app/core/identity.h"
#include "text/interface_texts.h"

namespace kv5 {

std::string ErrorMessagesCaption(int messageCount) {
  return textErrorMessages + " (" + std::to_string(messageCount) + ")";
}

MenuCaptionMap MenuCaptions(int messageCount) {
  const std::string& wheel1 = textSprocket;
  const std::string& wheel2 = textPinRack;
  const std::string bothWheels = wheel1 + " + " + wheel2;
  return {
      // File
      {"mi_file", textFile},
      {"mi_fileNew", textNew},
      {"mi_fileOpen", textOpen},
      {"mi_fileOpentable", textOpen + " (" + textTable + ")"},
      {"mi_FileSave", textSave},
      {"mi_FileSaveAs", textSaveAs},
      {"mi_fileprint", textPrint},
      {"mi_fileprintersetup", textPrinterSetup},
      {"mi_fileConfig", textSettings},
      {"mi_fileexit", textExit},
      // Edit
      {"mi_Edit", textEdit},
      {"mi_editquick", textNew},
      {"mi_EditText", textText},
      {"mi_editabmessungen", textDimensions},
      {"mi_editLast", textLoad},
      {"mi_editvorauslegung", textPreDesign},
      // View
      {"mi_View", textView},
      {"mi_ViewStandard", textPrintout},
      {"mi_viewQuick", textQuick + " &1"},
      {"mi_viewquick3", textQuick + " &3"},
      {"mi_viewkettentrieb", textGear},
      {"mi_viewrad1", wheel1},
      {"mi_viewrad2", wheel2},
      {"mi_viewrad12", bothWheels},
      {"mi_viewanimation", textAnimation},
      {"mi_viewErrorMessages", ErrorMessagesCaption(messageCount)},
      // CAD
      {"mi_CAD", textCad},
      {"mi_cadkettentrieb", textGear},
      {"mi_cadrad1", wheel1 + " " + textFrontView},
      {"mi_cadrad2", wheel2 + " " + textFrontView},
      {"mi_cadrad1SA", wheel1 + " " + textSideView},
      {"mi_cadrad2sa", wheel2 + " " + textSideView},
      {"mi_cadRad1Fert", wheel1 + " " + textDrawing},
      {"mi_CadRad2Fert", wheel2 + "  " + textDrawing},
      {"mi_cadrad12fert", bothWheels + " " + textDrawing},
      {"mi_cadjoch", textYoke},
      {"mi_cadquick", textQuick + " &1"},
      {"mi_cadquick3", textQuick + " &3"},
      // STL
      {"mi_stlrad1", wheel1},
      {"mi_stlrad2", wheel2},
      {"mi_stljoch", textYoke},
      // Database
      {"mi_database", textDatabase},
      {"mi_dbfkette", "DIN 8187/88"},
      {"mi_dbiso606", "ISO 606"},
      // Documentation
      {"mi_documentation", textDocument},
      {"mi_docdrawinginfo", textDrawingData},
      {"mi_docuShowChanges1", textChangesInfo},
      {"mi_docuPrintChanges", textChangesPrint},
      {"mi_docuNewChange", textNewChange},
      {"mi_docuModifyChanges", textEditLastChange},
      {"mi_docudeleteChange", textDeleteLastChange},
      {"mi_DocumentSetup", textDocumentSetup},
      // Help
      {"mi_Help", textHelp},
      {"mi_HelpHilfebild", textHelpImage},
      {"mi_helpErrorMessages", textErrorMessages},
      {"mi_helpwww", textHomepage},
      {"mi_helpemail", textEmail},
      {"mi_helphandbuch", textManual},
      {"mi_helpupdateorder", textUpdateOrder},
      {kLanguageMenuItem, textMenu + " " + textLanguage},
      {"mi_helplanguageDeutsch", "&Deutsch"},
      {"mi_helplanguageEnglish", "&English"},
      {"mi_helplanguageKorea", "&Korea"},
      {"mi_helplanguageChinese", "&Chinese"},
      {"mi_helpSysInfo", "System Info"},
      {"mi_HelpAbout", programName},
  };
}

}  // namespace kv5
