#include "text/interface_texts.h"

#include <regex>
#include <set>

#include "tests/test_support.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/menu_texts.h"

namespace kv5 {
namespace {

using InterfaceTextsTest = testing::ProgramTest;

using TextSet = std::map<std::string, std::string>;

// Every entry by name with its current text.
TextSet CurrentTexts() {
  TextSet texts;
  for (const InterfaceTextEntry& entry : InterfaceTextEntries()) texts[entry.name] = *entry.text;
  return texts;
}

const char* const kMarker = "<unchanged>";

void MarkAllEntries() {
  for (const InterfaceTextEntry& entry : InterfaceTextEntries()) *entry.text = kMarker;
}

std::set<std::string> MarkedEntries() {
  std::set<std::string> names;
  for (const InterfaceTextEntry& entry : InterfaceTextEntries())
    if (*entry.text == kMarker) names.insert(entry.name);
  return names;
}

// Languages that have texts: German, English, French, Italian, Swedish,
// Portuguese, Romanian, Korean, Spanish, Chinese.
const int kAllLanguages[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 12};

TEST_F(InterfaceTextsTest, GermanAndEnglishTextsOfEveryEntry) {
  struct Case {
    const char* name;
    const char* german;
    const char* english;
  };
  const Case cases[] = {
      {"textMenu", "Menü", "Menu"},
      {"textFile", "&Datei", "&File"},
      {"textNew", "&Neu...", "&New..."},
      {"textOpen", "Ö&ffnen...", "&Open..."},
      {"textSave", "&Speichern...", "&Save..."},
      {"textSaveAs", "Speichern &Unter...", "Save &As..."},
      {"textSettings", "E&instellungen", "Se&ttings"},
      {"textExit", "&Beenden", "E&xit"},
      {"textCopy", "Kopieren", "&Copy"},
      {"textPrint", "&Drucken...", "&Print..."},
      {"textPrinterSetup", "Druckereinstellung", "Printer Setup"},
      {"textEdit", "&Bearbeiten", "&Edit"},
      {"textText", "Te&xt", "Te&xt"},
      {"textQuick", "Quick", "Quick"},
      {"textPreDesign", "&Vorauslegung", "&Pre-Dimensioning"},
      {"textSelectAll", "Alles auswählen", "Select &All"},
      {"textView", "&Ansicht", "&View"},
      {"textDatabase", "Datenban&k", "&Database"},
      {"textCad", "&CAD", "&CAD"},
      {"textDrawing", "&Zeichnung", "&Drawing"},
      {"textFrontView", "&Vorderansicht", "P&rojection"},
      {"textSideView", "&Seitenansicht", "&Side view"},
      {"textDocument", "D&okument", "D&ocument"},
      {"textDrawingData", "&Zeichnungsdaten", "&Drawing data"},
      {"textChangesInfo", "Änderungen - &Info", "Modifications - &Info"},
      {"textChangesPrint", "Änderungen - &Ausdruck", "Modifications - &Printout"},
      {"textNewChange", "&Neue Änderung", "Modification - &New"},
      {"textEditLastChange", "Letzte Änderung &bearbeiten", "&Edit previous modification"},
      {"textDeleteLastChange", "Letzte Änderung &löschen", "&Delete previous modification"},
      {"textDocumentSetup", "Dokument &Setup", "Document &Setup"},
      {"textHelp", "&Hilfe", "&Help"},
      {"textHelpImage", "&Hilfebild", "&Auxiliary images"},
      {"textErrorMessages", "&Fehlermeldungen", "&Error messages"},
      {"textHomepage", "&KELMARO Homepage", "&KELMARO Homepage"},
      {"textEmail", "&E-Mail an KELMARO", "&E-Mail to KELMARO"},
      {"textPrintout", "&Ausdruck", "&Printout"},
      {"textLanguage", "&Sprache", "&Language"},
      {"textDimensions", "&Abmessungen", "&Dimensions"},
      {"textAnimation", "&Animation", "&Animation"},
      {"textTable", "&Tabelle", "&Table"},
      {"textManual", "Handbuch", "E-Manual"},
      {"textUpdateOrder", "Update bestellen", "Update Order"},
      {"textGear", "&Getriebe", "&Gear"},
      {"textLoad", "&Last", "&Load"},
      {"textSprocket", "Ketten&rad", "Sprocket"},
      {"textPinRack", "Triebstock", "&Pin Rack"},
      {"textYoke", "&Joch", "&Yoke"},
  };
  TextSet german, english;
  for (const Case& c : cases) {
    german[c.name] = c.german;
    english[c.name] = c.english;
  }
  // At program start every entry is German.
  EXPECT_EQ(CurrentTexts(), german);
  SetInterfaceLanguage(kLanguageEnglish);
  EXPECT_EQ(CurrentTexts(), english);
  SetInterfaceLanguage(kLanguageGerman);
  EXPECT_EQ(CurrentTexts(), german);
}

TEST_F(InterfaceTextsTest, EnglishAndBackRestoresEveryGermanCaption) {
  const TextSet germanTexts = CurrentTexts();
  const MenuCaptionMap germanCaptions = MenuCaptions(4);
  SwitchInterfaceLanguage(kLanguageEnglish);
  EXPECT_EQ(menuLanguage, kLanguageEnglish);
  EXPECT_NE(MenuCaptions(4), germanCaptions);
  SwitchInterfaceLanguage(kLanguageGerman);
  EXPECT_EQ(menuLanguage, kLanguageGerman);
  EXPECT_EQ(CurrentTexts(), germanTexts);
  EXPECT_EQ(MenuCaptions(4), germanCaptions);
}

// Which entries a switch to each language leaves as they were.
TEST_F(InterfaceTextsTest, EntriesEachLanguageLeavesUnchanged) {
  const std::set<std::string> engineeringTerms = {"textGear", "textLoad"};
  const std::set<std::string> driveWords = {"textSprocket", "textPinRack", "textYoke"};
  auto joined = [](std::initializer_list<std::set<std::string>> sets) {
    std::set<std::string> all;
    for (const auto& s : sets) all.insert(s.begin(), s.end());
    return all;
  };
  std::set<std::string> everyEntry;
  for (const InterfaceTextEntry& entry : InterfaceTextEntries()) everyEntry.insert(entry.name);

  struct Case {
    int language;
    std::set<std::string> unchanged;
  };
  const Case cases[] = {
      {kLanguageGerman, {}},
      {kLanguageEnglish, {}},
      {kLanguageFrench, joined({engineeringTerms, driveWords})},
      {kLanguageItalian, joined({engineeringTerms, driveWords})},
      {kLanguageSwedish, joined({{"textCopy", "textSideView"}, engineeringTerms, driveWords})},
      {kLanguagePortuguese, joined({{"textSideView"}, driveWords})},
      {kLanguageRomanian, joined({{"textCopy"}, driveWords})},
      {kLanguageKorean, {"textPinRack"}},
      {kLanguageSpanish, joined({engineeringTerms, driveWords})},
      {kLanguageChinese, {"textPinRack"}},
      {0, everyEntry},
      {-1, everyEntry},
      {10, everyEntry},
      {11, everyEntry},
      {13, everyEntry},
  };
  for (const Case& c : cases) {
    MarkAllEntries();
    SetInterfaceLanguage(c.language);
    EXPECT_EQ(MarkedEntries(), c.unchanged) << "language " << c.language;
    EXPECT_EQ(HasInterfaceTexts(c.language), c.unchanged != everyEntry) << c.language;
  }
}

TEST_F(InterfaceTextsTest, TellingRowsOfTheOtherLanguages) {
  struct Case {
    int language;
    const char* menu;
    const char* file;
    const char* exit;
    const char* help;
    const char* languageWord;
    const char* gear;  // German when the language has no engineering terms
  };
  const Case cases[] = {
      {kLanguageFrench, "Menu", "&Fichier", "&Quitter", "&Aide", "&Language", "&Getriebe"},
      {kLanguageItalian, "Menu", "&File", "&Esci", "&Help", "&Lingua", "&Getriebe"},
      {kLanguageSwedish, "Meny", "&Arkiv", "&Avsluta", "&Hjälp", "&Språk", "&Getriebe"},
      {kLanguagePortuguese, "Menu", "&Arquivo", "S&aida", "Aj&uda", "&Language", "ENGRENAGEM"},
      {kLanguageRomanian, "Meniu", "&Fisier", "Ie&sire", "&Ajutor", "&Limba", "&Roata dintata"},
      {kLanguageSpanish, "Menú", "&Archivo", "&Salir", "&Ayuda", "&Language", "&Getriebe"},
      {kLanguageKorean, "메뉴", "파일(&F)", "끝내기(&x)", "도움말(&H)", "언어(&L)", "기어(&G)"},
      {kLanguageChinese, "菜单", "文件", "退出", "帮助", "语言", "齿轮"},
  };
  for (const Case& c : cases) {
    ResetProgramState();
    SetInterfaceLanguage(c.language);
    EXPECT_EQ(textMenu, c.menu) << c.language;
    EXPECT_EQ(textFile, c.file) << c.language;
    EXPECT_EQ(textExit, c.exit) << c.language;
    EXPECT_EQ(textHelp, c.help) << c.language;
    EXPECT_EQ(textLanguage, c.languageWord) << c.language;
    EXPECT_EQ(textGear, c.gear) << c.language;
    EXPECT_EQ(MenuCaptions(0).at(kLanguageMenuItem), std::string(c.menu) + " " + c.languageWord)
        << c.language;
  }
}

TEST_F(InterfaceTextsTest, KoreanKeepsTheNameOfWheel2ItFinds) {
  SetInterfaceLanguage(kLanguageKorean);
  EXPECT_EQ(textPinRack, "Triebstock");
  EXPECT_EQ(textYoke, "&Yoke");
  MenuCaptionMap captions = MenuCaptions(0);
  EXPECT_EQ(captions.at("mi_viewrad2"), "Triebstock");
  EXPECT_EQ(captions.at("mi_viewrad12"), "스프로킷 + Triebstock");
  EXPECT_EQ(captions.at("mi_cadjoch"), "&Yoke");

  SetInterfaceLanguage(kLanguageEnglish);
  SetInterfaceLanguage(kLanguageKorean);
  EXPECT_EQ(textPinRack, "&Pin Rack");
  captions = MenuCaptions(0);
  EXPECT_EQ(captions.at("mi_stlrad2"), "&Pin Rack");
  EXPECT_EQ(captions.at("mi_CadRad2Fert"), "&Pin Rack  도면(&D)");
}

TEST_F(InterfaceTextsTest, StoredLanguageAppliedAtStart) {
  // French: menu words French, engineering terms and wheel names German.
  menuLanguage = kLanguageFrench;
  ApplyStoredMenuLanguage();
  EXPECT_EQ(menuLanguage, kLanguageFrench);
  EXPECT_EQ(textFile, "&Fichier");
  EXPECT_EQ(textOpen, "&Ouvrir...");
  EXPECT_EQ(textGear, "&Getriebe");
  EXPECT_EQ(textLoad, "&Last");
  EXPECT_EQ(textSprocket, "Ketten&rad");
  EXPECT_EQ(textPinRack, "Triebstock");
  const MenuCaptionMap captions = MenuCaptions(0);
  EXPECT_EQ(captions.at("mi_editLast"), "&Last");
  EXPECT_EQ(captions.at("mi_viewkettentrieb"), "&Getriebe");
  EXPECT_EQ(captions.at("mi_cadrad1"), "Ketten&rad &Vue de face");

  // Numbers without texts, and no stored language, leave German in force.
  ResetProgramState();
  const TextSet german = CurrentTexts();
  for (int stored : {10, 0, -3}) {
    menuLanguage = stored;
    ApplyStoredMenuLanguage();
    EXPECT_EQ(CurrentTexts(), german) << stored;
    EXPECT_EQ(menuLanguage, stored);
  }
}

// The language saved with the configuration comes back at the next start
// only while "Save Menu Language ?" is set.
TEST_F(InterfaceTextsTest, LanguageSavedWithTheConfiguration) {
  testing::TempFolder folder;
  for (bool keepLanguage : {true, false}) {
    ResetProgramState();
    configFolder = folder.path();
    menuLanguage = kLanguageFrench;
    storedSettings.unlabelled.titleFlags[kSaveMenuLanguageFlag] = keepLanguage;
    abortFlag = false;
    SaveConfiguration();
    ASSERT_FALSE(abortFlag);

    ResetProgramState();
    configFolder = folder.path();
    LoadConfiguration();
    ASSERT_FALSE(abortFlag);
    ApplyStoredMenuLanguage();
    EXPECT_EQ(textFile, keepLanguage ? "&Fichier" : "&Datei") << keepLanguage;
    EXPECT_EQ(textGear, "&Getriebe");
    EXPECT_EQ(MenuCaptions(0).at("mi_CadRad2Fert"),
              keepLanguage ? "Triebstock  &Dessin" : "Triebstock  &Zeichnung");
  }
}

TEST_F(InterfaceTextsTest, ProgramStateResetPutsGermanBack) {
  const TextSet german = CurrentTexts();
  SwitchInterfaceLanguage(kLanguageChinese);
  ASSERT_NE(CurrentTexts(), german);
  ResetProgramState();
  EXPECT_EQ(CurrentTexts(), german);
  EXPECT_EQ(menuLanguage, 0);
}

// The captions SetMenuTexts assembles, with their exact blanks.
TEST_F(InterfaceTextsTest, CompositeCaptions) {
  struct Case {
    const char* item;
    const char* german;
    const char* english;
  };
  const Case cases[] = {
      {"mi_fileOpentable", "Ö&ffnen... (&Tabelle)", "&Open... (&Table)"},
      {"mi_viewQuick", "Quick &1", "Quick &1"},
      {"mi_viewquick3", "Quick &3", "Quick &3"},
      {"mi_cadquick", "Quick &1", "Quick &1"},
      {"mi_cadquick3", "Quick &3", "Quick &3"},
      {"mi_viewrad1", "Ketten&rad", "Sprocket"},
      {"mi_viewrad2", "Triebstock", "&Pin Rack"},
      {"mi_viewrad12", "Ketten&rad + Triebstock", "Sprocket + &Pin Rack"},
      {"mi_cadrad1", "Ketten&rad &Vorderansicht", "Sprocket P&rojection"},
      {"mi_cadrad2", "Triebstock &Vorderansicht", "&Pin Rack P&rojection"},
      {"mi_cadrad1SA", "Ketten&rad &Seitenansicht", "Sprocket &Side view"},
      {"mi_cadrad2sa", "Triebstock &Seitenansicht", "&Pin Rack &Side view"},
      {"mi_cadRad1Fert", "Ketten&rad &Zeichnung", "Sprocket &Drawing"},
      {"mi_CadRad2Fert", "Triebstock  &Zeichnung", "&Pin Rack  &Drawing"},
      {"mi_cadrad12fert", "Ketten&rad + Triebstock &Zeichnung", "Sprocket + &Pin Rack &Drawing"},
      {"mi_stlrad1", "Ketten&rad", "Sprocket"},
      {"mi_stlrad2", "Triebstock", "&Pin Rack"},
      {"mi_cadjoch", "&Joch", "&Yoke"},
      {"mi_stljoch", "&Joch", "&Yoke"},
      {"mi_editquick", "&Neu...", "&New..."},
      {"mi_dbfkette", "DIN 8187/88", "DIN 8187/88"},
      {"mi_dbiso606", "ISO 606", "ISO 606"},
      {"mi_helpSysInfo", "System Info", "System Info"},
      {"mi_HelpAbout", "KV5", "KV5"},
      {kLanguageMenuItem, "Menü &Sprache", "Menu &Language"},
      {"mi_viewErrorMessages", "&Fehlermeldungen (12)", "&Error messages (12)"},
      {"mi_helpErrorMessages", "&Fehlermeldungen", "&Error messages"},
      {"mi_DocumentSetup", "Dokument &Setup", "Document &Setup"},
      {"mi_helplanguageKorea", "&Korea", "&Korea"},
  };
  const MenuCaptionMap german = MenuCaptions(12);
  SetInterfaceLanguage(kLanguageEnglish);
  const MenuCaptionMap english = MenuCaptions(12);
  for (const Case& c : cases) {
    ASSERT_TRUE(german.contains(c.item)) << c.item;
    EXPECT_EQ(german.at(c.item), c.german) << c.item;
    EXPECT_EQ(english.at(c.item), c.english) << c.item;
  }
  EXPECT_EQ(ErrorMessagesCaption(0), "&Error messages (0)");
}

// A language without a side-view text keeps the one in force before, also
// inside the composite captions.
TEST_F(InterfaceTextsTest, SwedishSideViewComesFromTheLanguageBefore) {
  SetInterfaceLanguage(kLanguageSwedish);
  EXPECT_EQ(MenuCaptions(0).at("mi_cadrad1SA"), "Ketten&rad &Seitenansicht");
  EXPECT_EQ(MenuCaptions(0).at("mi_cadrad1"), "Ketten&rad &Framvy");
  EXPECT_EQ(textCopy, "Kopieren");
  SetInterfaceLanguage(kLanguageEnglish);
  SetInterfaceLanguage(kLanguageSwedish);
  EXPECT_EQ(MenuCaptions(0).at("mi_cadrad2sa"), "&Pin Rack &Side view");
  EXPECT_EQ(textCopy, "&Copy");
}

TEST_F(InterfaceTextsTest, NoCaptionIsEmptyInAnyLanguage) {
  for (int language : kAllLanguages) {
    ResetProgramState();
    SetInterfaceLanguage(language);
    for (const auto& [item, caption] : MenuCaptions(0))
      EXPECT_FALSE(caption.empty()) << item << " in language " << language;
  }
}

// The Latin-script languages must show on a code page 1252 menu.
TEST_F(InterfaceTextsTest, LatinScriptTextsFitCodePage1252) {
  for (int language : {1, 2, 3, 4, 5, 6, 7, 9}) {
    SetInterfaceLanguage(language);
    for (const auto& [name, text] : CurrentTexts())
      EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252(text)), text) << name << " in language " << language;
  }
}

TEST_F(InterfaceTextsTest, KoreanMnemonicsInParenthesesAndChineseWithout) {
  // "(&X)" behind a word that carries no "&" of its own; "..." may follow.
  const std::regex koreanMnemonic(R"([^&()]+\(&[A-Za-z0-9]\)(\.\.\.)?)");
  SetInterfaceLanguage(kLanguageKorean);
  for (const auto& [name, text] : CurrentTexts()) {
    if (name == "textYoke" || name == "textPinRack") continue;  // not Korean texts
    if (text.find('&') != std::string::npos) {
      EXPECT_TRUE(std::regex_match(text, koreanMnemonic)) << name << ": " << text;
    }
    EXPECT_TRUE(IsValidUtf8(text)) << name;
  }
  ResetProgramState();
  SetInterfaceLanguage(kLanguageChinese);
  for (const auto& [name, text] : CurrentTexts()) {
    if (name == "textYoke" || name == "textPinRack") continue;
    EXPECT_EQ(text.find('&'), std::string::npos) << name << ": " << text;
    EXPECT_TRUE(IsValidUtf8(text)) << name;
  }
}

}  // namespace
}  // namespace kv5
