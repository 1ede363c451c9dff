// Interface texts by language: the named texts from which the menu captions
// of the program's windows are taken.
//
// Each entry is one string variable. An "&" marks the menu mnemonic; Korean
// texts carry it in parentheses behind the word ("파일(&F)"), Chinese texts
// carry none. The texts of every language are held as UTF-8 (converted once
// from their Windows code pages 1252, 949 and 936 into the sources), so the
// window layer hands them to its menus without any code-page conversion.
//
// Language numbers: 1 German, 2 English, 3 French, 4 Italian, 5 Swedish,
// 6 Portuguese, 7 Romanian, 8 Korean, 9 Spanish, 12 Chinese. Not every
// language has a text for every entry; an entry without one keeps the text
// it had before the switch.
#pragma once

#include <string>
#include <vector>

namespace kv5 {

inline constexpr int kLanguageGerman = 1;
inline constexpr int kLanguageEnglish = 2;
inline constexpr int kLanguageFrench = 3;
inline constexpr int kLanguageItalian = 4;
inline constexpr int kLanguageSwedish = 5;
inline constexpr int kLanguagePortuguese = 6;
inline constexpr int kLanguageRomanian = 7;
inline constexpr int kLanguageKorean = 8;
inline constexpr int kLanguageSpanish = 9;
inline constexpr int kLanguageChinese = 12;

// General menu words (all ten languages).
extern std::string textMenu;
extern std::string textFile;
extern std::string textNew;
extern std::string textOpen;
extern std::string textSave;
extern std::string textSaveAs;
extern std::string textSettings;
extern std::string textExit;
extern std::string textCopy;  // not in Swedish and Romanian
extern std::string textPrint;
extern std::string textPrinterSetup;
extern std::string textEdit;
extern std::string textText;
extern std::string textQuick;
extern std::string textPreDesign;
extern std::string textSelectAll;
extern std::string textView;
extern std::string textDatabase;
extern std::string textCad;
extern std::string textDrawing;
extern std::string textFrontView;
extern std::string textSideView;  // not in Swedish and Portuguese
extern std::string textDocument;
extern std::string textDrawingData;
extern std::string textChangesInfo;
extern std::string textChangesPrint;
extern std::string textNewChange;
extern std::string textEditLastChange;
extern std::string textDeleteLastChange;
extern std::string textDocumentSetup;
extern std::string textHelp;
extern std::string textHelpImage;
extern std::string textErrorMessages;
extern std::string textHomepage;
extern std::string textEmail;
extern std::string textPrintout;
extern std::string textLanguage;
extern std::string textDimensions;
extern std::string textAnimation;
extern std::string textTable;
extern std::string textManual;
extern std::string textUpdateOrder;

// Engineering terms (German, English, Portuguese, Romanian, Korean, Chinese).
extern std::string textGear;
extern std::string textLoad;

// Drive words (German, English, Korean, Chinese). Korean and Chinese have
// no text for the name of wheel 2 and use the English "&Yoke".
extern std::string textSprocket;  // name of wheel 1
extern std::string textPinRack;   // name of wheel 2
extern std::string textYoke;

// Assigns, for language n, every entry for which n has a text; the others
// keep their current value. A number without texts changes nothing.
void SetInterfaceLanguage(int n);

// Whether language n has texts at all (1..9 and 12).
bool HasInterfaceTexts(int n);

// Every entry German, as at program start before any window exists (the
// stored menu language is applied later, by the main window).
void InitInterfaceTexts();

// At program start, after the configuration is loaded: a stored menu
// language above 0 is switched to (SwitchInterfaceLanguage), otherwise the
// German texts stay in force.
void ApplyStoredMenuLanguage();

// The menu language switch of the main window without its menu: stores n
// as the current menu language (kept in the configuration) and sets the
// texts of n. The caller then rebuilds the captions (MenuCaptions).
void SwitchInterfaceLanguage(int n);

// One entry by its name, for listing and comparing all of them.
struct InterfaceTextEntry {
  const char* name;
  std::string* text;
};
// All entries: general menu words, engineering terms, drive words.
const std::vector<InterfaceTextEntry>& InterfaceTextEntries();

}  // namespace kv5
