#include "text/interface_texts.h"

#include "text/configuration.h"

namespace kv5 {

std::string textMenu;
std::string textFile;
std::string textNew;
std::string textOpen;
std::string textSave;
std::string textSaveAs;
std::string textSettings;
std::string textExit;
std::string textCopy;
std::string textPrint;
std::string textPrinterSetup;
std::string textEdit;
std::string textText;
std::string textQuick;
std::string textPreDesign;
std::string textSelectAll;
std::string textView;
std::string textDatabase;
std::string textCad;
std::string textDrawing;
std::string textFrontView;
std::string textSideView;
std::string textDocument;
std::string textDrawingData;
std::string textChangesInfo;
std::string textChangesPrint;
std::string textNewChange;
std::string textEditLastChange;
std::string textDeleteLastChange;
std::string textDocumentSetup;
std::string textHelp;
std::string textHelpImage;
std::string textErrorMessages;
std::string textHomepage;
std::string textEmail;
std::string textPrintout;
std::string textLanguage;
std::string textDimensions;
std::string textAnimation;
std::string textTable;
std::string textManual;
std::string textUpdateOrder;
std::string textGear;
std::string textLoad;
std::string textSprocket;
std::string textPinRack;
std::string textYoke;

namespace {

// The texts of one entry in language-number order; nullptr where the
// language has no text for it. Texts of the Latin-script languages stay
// within code page 1252 (hence Romanian without its comma letters).
struct LanguageTexts {
  const char* de = nullptr;  // 1
  const char* en = nullptr;  // 2
  const char* fr = nullptr;  // 3
  const char* it = nullptr;  // 4
  const char* sv = nullptr;  // 5
  const char* pt = nullptr;  // 6
  const char* ro = nullptr;  // 7
  const char* ko = nullptr;  // 8
  const char* es = nullptr;  // 9
  const char* zh = nullptr;  // 12
};

const char* TextOf(const LanguageTexts& texts, int n) {
  switch (n) {
    case kLanguageGerman:
      return texts.de;
    case kLanguageEnglish:
      return texts.en;
    case kLanguageFrench:
      return texts.fr;
    case kLanguageItalian:
      return texts.it;
    case kLanguageSwedish:
      return texts.sv;
    case kLanguagePortuguese:
      return texts.pt;
    case kLanguageRomanian:
      return texts.ro;
    case kLanguageKorean:
      return texts.ko;
    case kLanguageSpanish:
      return texts.es;
    case kLanguageChinese:
      return texts.zh;
    default:
      return nullptr;
  }
}

struct TextRow {
  const char* name;
  std::string* entry;
  LanguageTexts texts;
};

// clang-format off
const TextRow kGeneralMenuWords[] = {
    {"textMenu", &textMenu,
     {.de = "Menü", .en = "Menu", .fr = "Menu", .it = "Menu", .sv = "Meny", .pt = "Menu",
      .ro = "Meniu", .ko = "메뉴", .es = "Menú", .zh = "菜单"}},
    {"textFile", &textFile,
     {.de = "&Datei", .en = "&File", .fr = "&Fichier", .it = "&File", .sv = "&Arkiv",
      .pt = "&Arquivo", .ro = "&Fisier", .ko = "파일(&F)", .es = "&Archivo", .zh = "文件"}},
    {"textNew", &textNew,
     {.de = "&Neu...", .en = "&New...", .fr = "&Nouveau...", .it = "&Nuovo...", .sv = "&Ny...",
      .pt = "&Novo...", .ro = "&Nou...", .ko = "새로 만들기(&N)...", .es = "&Nuevo...",
      .zh = "新建..."}},
    {"textOpen", &textOpen,
     {.de = "Ö&ffnen...", .en = "&Open...", .fr = "&Ouvrir...", .it = "&Apri...",
      .sv = "&Öppna...", .pt = "A&brir...", .ro = "&Deschide...", .ko = "열기(&O)...",
      .es = "&Abrir...", .zh = "打开..."}},
    {"textSave", &textSave,
     {.de = "&Speichern...", .en = "&Save...", .fr = "&Enregistrer...", .it = "&Salva...",
      .sv = "&Spara...", .pt = "&Salvar...", .ro = "&Salvare...", .ko = "저장(&S)...",
      .es = "&Guardar...", .zh = "保存..."}},
    {"textSaveAs", &textSaveAs,
     {.de = "Speichern &Unter...", .en = "Save &As...", .fr = "Enregistrer &sous...",
      .it = "Salva &con nome...", .sv = "Spara &som...", .pt = "Salvar &como...",
      .ro = "Salvare c&a...", .ko = "다른 이름으로 저장(&A)...", .es = "Guardar &como...",
      .zh = "另存为..."}},
    {"textSettings", &textSettings,
     {.de = "E&instellungen", .en = "Se&ttings", .fr = "&Paramètres", .it = "&Impostazioni",
      .sv = "&Inställningar", .pt = "&Configurações", .ro = "Se&tari", .ko = "설정(&T)",
      .es = "&Configuración", .zh = "设置"}},
    {"textExit", &textExit,
     {.de = "&Beenden", .en = "E&xit", .fr = "&Quitter", .it = "&Esci", .sv = "&Avsluta",
      .pt = "S&aida", .ro = "Ie&sire", .ko = "끝내기(&x)", .es = "&Salir", .zh = "退出"}},
    {"textCopy", &textCopy,
     {.de = "Kopieren", .en = "&Copy", .fr = "&Copier", .it = "&Copia", .pt = "&Copiar",
      .ko = "복사(&C)", .es = "&Copiar", .zh = "复制"}},
    {"textPrint", &textPrint,
     {.de = "&Drucken...", .en = "&Print...", .fr = "&Imprimer...", .it = "S&tampa...",
      .sv = "Skri&v ut...", .pt = "&Imprimir...", .ro = "&Tiparire...", .ko = "인쇄(&P)...",
      .es = "&Imprimir...", .zh = "打印..."}},
    {"textPrinterSetup", &textPrinterSetup,
     {.de = "Druckereinstellung", .en = "Printer Setup", .fr = "Configuration de l'imprimante",
      .it = "Impostazione stampante", .sv = "Skrivarinställningar",
      .pt = "Configurar impressora", .ro = "Setare imprimanta", .ko = "프린터 설정",
      .es = "Configurar impresora", .zh = "打印机设置"}},
    {"textEdit", &textEdit,
     {.de = "&Bearbeiten", .en = "&Edit", .fr = "&Edition", .it = "&Modifica",
      .sv = "R&edigera", .pt = "&Editar", .ro = "&Editare", .ko = "편집(&E)",
      .es = "&Edición", .zh = "编辑"}},
    {"textText", &textText,
     {.de = "Te&xt", .en = "Te&xt", .fr = "Te&xte", .it = "Te&sto", .sv = "Te&xt",
      .pt = "Te&xto", .ro = "Te&xt", .ko = "텍스트(&X)", .es = "Te&xto", .zh = "文本"}},
    {"textQuick", &textQuick,
     {.de = "Quick", .en = "Quick", .fr = "Quick", .it = "Quick", .sv = "Quick",
      .pt = "Quick", .ro = "Quick", .ko = "퀵", .es = "Quick", .zh = "快速"}},
    {"textPreDesign", &textPreDesign,
     {.de = "&Vorauslegung", .en = "&Pre-Dimensioning", .fr = "&Prédimensionnement",
      .it = "&Predimensionamento", .sv = "&Preliminär dimensionering",
      .pt = "&Pré-dimensionamento", .ro = "&Predimensionare", .ko = "사전 설계(&P)",
      .es = "&Predimensionado", .zh = "预设计"}},
    {"textSelectAll", &textSelectAll,
     {.de = "Alles auswählen", .en = "Select &All", .fr = "&Tout sélectionner",
      .it = "Seleziona &tutto", .sv = "Markera &allt", .pt = "Selecionar &tudo",
      .ro = "Selecteaza &tot", .ko = "모두 선택(&A)", .es = "Seleccionar &todo",
      .zh = "全选"}},
    {"textView", &textView,
     {.de = "&Ansicht", .en = "&View", .fr = "&Affichage", .it = "&Visualizza", .sv = "&Visa",
      .pt = "&Exibir", .ro = "&Vizualizare", .ko = "보기(&V)", .es = "&Ver", .zh = "视图"}},
    {"textDatabase", &textDatabase,
     {.de = "Datenban&k", .en = "&Database", .fr = "&Base de données", .it = "&Database",
      .sv = "&Databas", .pt = "Banco de &dados", .ro = "Baza de &date",
      .ko = "데이터베이스(&D)", .es = "Base de &datos", .zh = "数据库"}},
    {"textCad", &textCad,
     {.de = "&CAD", .en = "&CAD", .fr = "&CAO", .it = "&CAD", .sv = "&CAD", .pt = "&CAD",
      .ro = "&CAD", .ko = "CAD(&C)", .es = "&CAD", .zh = "CAD"}},
    {"textDrawing", &textDrawing,
     {.de = "&Zeichnung", .en = "&Drawing", .fr = "&Dessin", .it = "&Disegno",
      .sv = "&Ritning", .pt = "&Desenho", .ro = "&Desen", .ko = "도면(&D)", .es = "&Plano",
      .zh = "图纸"}},
    {"textFrontView", &textFrontView,
     {.de = "&Vorderansicht", .en = "P&rojection", .fr = "&Vue de face",
      .it = "Vista &frontale", .sv = "&Framvy", .pt = "Vista &frontal",
      .ro = "Vedere din &fata", .ko = "정면도(&R)", .es = "Vista &frontal", .zh = "正视图"}},
    {"textSideView", &textSideView,
     {.de = "&Seitenansicht", .en = "&Side view", .fr = "Vue de &côté",
      .it = "Vista &laterale", .ro = "Vedere &laterala", .ko = "측면도(&S)",
      .es = "Vista &lateral", .zh = "侧视图"}},
    {"textDocument", &textDocument,
     {.de = "D&okument", .en = "D&ocument", .fr = "D&ocument", .it = "D&ocumento",
      .sv = "D&okument", .pt = "D&ocumento", .ro = "D&ocument", .ko = "문서(&O)",
      .es = "D&ocumento", .zh = "文档"}},
    {"textDrawingData", &textDrawingData,
     {.de = "&Zeichnungsdaten", .en = "&Drawing data", .fr = "Données du &dessin",
      .it = "&Dati disegno", .sv = "&Ritningsdata", .pt = "&Dados do desenho",
      .ro = "&Date desen", .ko = "도면 데이터(&D)", .es = "&Datos del plano",
      .zh = "图纸数据"}},
    {"textChangesInfo", &textChangesInfo,
     {.de = "Änderungen - &Info", .en = "Modifications - &Info",
      .fr = "Modifications - &Info", .it = "Modifiche - &Info", .sv = "Ändringar - &Info",
      .pt = "Alterações - &Info", .ro = "Modificari - &Info", .ko = "변경 - 정보(&I)",
      .es = "Modificaciones - &Info", .zh = "更改 - 信息"}},
    {"textChangesPrint", &textChangesPrint,
     {.de = "Änderungen - &Ausdruck", .en = "Modifications - &Printout",
      .fr = "Modifications - &Impression", .it = "Modifiche - &Stampa",
      .sv = "Ändringar - &Utskrift", .pt = "Alterações - &Impressão",
      .ro = "Modificari - &Tiparire", .ko = "변경 - 인쇄(&P)",
      .es = "Modificaciones - &Impresión", .zh = "更改 - 打印"}},
    {"textNewChange", &textNewChange,
     {.de = "&Neue Änderung", .en = "Modification - &New", .fr = "&Nouvelle modification",
      .it = "&Nuova modifica", .sv = "&Ny ändring", .pt = "&Nova alteração",
      .ro = "Modificare &noua", .ko = "새 변경(&N)", .es = "&Nueva modificación",
      .zh = "新建更改"}},
    {"textEditLastChange", &textEditLastChange,
     {.de = "Letzte Änderung &bearbeiten", .en = "&Edit previous modification",
      .fr = "&Modifier la dernière modification", .it = "Modifica &ultima modifica",
      .sv = "&Redigera senaste ändring", .pt = "&Editar última alteração",
      .ro = "&Editare ultima modificare", .ko = "마지막 변경 편집(&E)",
      .es = "&Editar última modificación", .zh = "编辑上次更改"}},
    {"textDeleteLastChange", &textDeleteLastChange,
     {.de = "Letzte Änderung &löschen", .en = "&Delete previous modification",
      .fr = "&Supprimer la dernière modification", .it = "&Elimina ultima modifica",
      .sv = "&Ta bort senaste ändring", .pt = "E&xcluir última alteração",
      .ro = "&Stergere ultima modificare", .ko = "마지막 변경 삭제(&D)",
      .es = "&Borrar última modificación", .zh = "删除上次更改"}},
    {"textDocumentSetup", &textDocumentSetup,
     {.de = "Dokument &Setup", .en = "Document &Setup", .fr = "&Configuration du document",
      .it = "&Impostazione documento", .sv = "Dokument&inställningar",
      .pt = "&Configuração do documento", .ro = "&Setare document", .ko = "문서 설정(&S)",
      .es = "&Configuración del documento", .zh = "文档设置"}},
    {"textHelp", &textHelp,
     {.de = "&Hilfe", .en = "&Help", .fr = "&Aide", .it = "&Help", .sv = "&Hjälp",
      .pt = "Aj&uda", .ro = "&Ajutor", .ko = "도움말(&H)", .es = "&Ayuda", .zh = "帮助"}},
    {"textHelpImage", &textHelpImage,
     {.de = "&Hilfebild", .en = "&Auxiliary images", .fr = "&Images d'aide",
      .it = "&Immagini di aiuto", .sv = "&Hjälpbilder", .pt = "&Imagens de ajuda",
      .ro = "&Imagini de ajutor", .ko = "도움말 그림(&A)", .es = "&Imágenes de ayuda",
      .zh = "帮助图片"}},
    {"textErrorMessages", &textErrorMessages,
     {.de = "&Fehlermeldungen", .en = "&Error messages", .fr = "Messages d'&erreur",
      .it = "Messaggi di &errore", .sv = "&Felmeddelanden", .pt = "Mensagens de &erro",
      .ro = "Mesaje de &eroare", .ko = "오류 메시지(&E)", .es = "Mensajes de &error",
      .zh = "错误信息"}},
    {"textHomepage", &textHomepage,
     {.de = "&KELMARO Homepage", .en = "&KELMARO Homepage", .fr = "Site &KELMARO",
      .it = "Sito &KELMARO", .sv = "&KELMARO hemsida", .pt = "Site da &KELMARO",
      .ro = "Pagina &KELMARO", .ko = "KELMARO 홈페이지(&K)", .es = "Página web de &KELMARO",
      .zh = "KELMARO 主页"}},
    {"textEmail", &textEmail,
     {.de = "&E-Mail an KELMARO", .en = "&E-Mail to KELMARO", .fr = "&E-mail à KELMARO",
      .it = "&E-mail a KELMARO", .sv = "&E-post till KELMARO",
      .pt = "&E-mail para a KELMARO", .ro = "&E-mail catre KELMARO",
      .ko = "KELMARO에 이메일(&E)", .es = "&Correo a KELMARO",
      .zh = "发送电子邮件给 KELMARO"}},
    {"textPrintout", &textPrintout,
     {.de = "&Ausdruck", .en = "&Printout", .fr = "&Impression", .it = "&Stampa",
      .sv = "&Utskrift", .pt = "&Impressão", .ro = "&Listare", .ko = "출력(&P)",
      .es = "&Impresión", .zh = "打印输出"}},
    {"textLanguage", &textLanguage,
     {.de = "&Sprache", .en = "&Language", .fr = "&Language", .it = "&Lingua",
      .sv = "&Språk", .pt = "&Language", .ro = "&Limba", .ko = "언어(&L)",
      .es = "&Language", .zh = "语言"}},
    {"textDimensions", &textDimensions,
     {.de = "&Abmessungen", .en = "&Dimensions", .fr = "&Dimensions", .it = "&Dimensioni",
      .sv = "&Mått", .pt = "&Dimensões", .ro = "&Dimensiuni", .ko = "치수(&D)",
      .es = "&Dimensiones", .zh = "尺寸"}},
    {"textAnimation", &textAnimation,
     {.de = "&Animation", .en = "&Animation", .fr = "&Animation", .it = "&Animazione",
      .sv = "&Animering", .pt = "&Animação", .ro = "&Animatie", .ko = "애니메이션(&A)",
      .es = "&Animación", .zh = "动画"}},
    {"textTable", &textTable,
     {.de = "&Tabelle", .en = "&Table", .fr = "&Tableau", .it = "&Tabella", .sv = "&Tabell",
      .pt = "&Tabela", .ro = "&Tabel", .ko = "테이블(&T)", .es = "&Tabla", .zh = "表格"}},
    {"textManual", &textManual,
     {.de = "Handbuch", .en = "E-Manual", .fr = "Manuel", .it = "Manuale", .sv = "Handbok",
      .pt = "Manual", .ro = "Manual", .ko = "설명서", .es = "Manual", .zh = "手册"}},
    {"textUpdateOrder", &textUpdateOrder,
     {.de = "Update bestellen", .en = "Update Order", .fr = "Commander une mise à jour",
      .it = "Ordina aggiornamento", .sv = "Beställ uppdatering",
      .pt = "Encomendar atualização", .ro = "Comanda actualizare", .ko = "업데이트 주문",
      .es = "Pedir actualización", .zh = "订购更新"}},
};

const TextRow kEngineeringTerms[] = {
    {"textGear", &textGear,
     {.de = "&Getriebe", .en = "&Gear", .pt = "ENGRENAGEM", .ro = "&Roata dintata",
      .ko = "기어(&G)", .zh = "齿轮"}},
    {"textLoad", &textLoad,
     {.de = "&Last", .en = "&Load", .pt = "&Carga", .ro = "&Sarcina", .ko = "하중(&L)",
      .zh = "载荷"}},
};

const TextRow kDriveWords[] = {
    {"textSprocket", &textSprocket,
     {.de = "Ketten&rad", .en = "Sprocket", .ko = "스프로킷", .zh = "链轮"}},
    {"textPinRack", &textPinRack, {.de = "Triebstock", .en = "&Pin Rack"}},
    {"textYoke", &textYoke, {.de = "&Joch", .en = "&Yoke", .ko = "&Yoke", .zh = "&Yoke"}},
};
// clang-format on

template <typename Visit>
void ForEachRow(Visit visit) {
  for (const TextRow& row : kGeneralMenuWords) visit(row);
  for (const TextRow& row : kEngineeringTerms) visit(row);
  for (const TextRow& row : kDriveWords) visit(row);
}

}  // namespace

bool HasInterfaceTexts(int n) {
  return TextOf(kGeneralMenuWords[0].texts, n) != nullptr;
}

void SetInterfaceLanguage(int n) {
  ForEachRow([n](const TextRow& row) {
    if (const char* text = TextOf(row.texts, n)) *row.entry = text;
  });
}

void InitInterfaceTexts() {
  SetInterfaceLanguage(kLanguageGerman);
}

void SwitchInterfaceLanguage(int n) {
  menuLanguage = n;
  SetInterfaceLanguage(n);
}

void ApplyStoredMenuLanguage() {
  if (menuLanguage > 0) SwitchInterfaceLanguage(menuLanguage);
}

const std::vector<InterfaceTextEntry>& InterfaceTextEntries() {
  static const std::vector<InterfaceTextEntry> entries = [] {
    std::vector<InterfaceTextEntry> all;
    ForEachRow([&all](const TextRow& row) { all.push_back({row.name, row.entry}); });
    return all;
  }();
  return entries;
}

}  // namespace kv5
