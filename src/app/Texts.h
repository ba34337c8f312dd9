// Fixed texts of the main window: captions, menu, configuration keys, the screen texts of the
// selection road (code page 1252 bytes). The texts of wire records are in Wdef.h.
#pragma once

namespace tuvako::texts {

// Designed caption, replaced by the terminal id at start-up.
inline constexpr char kDesignedCaption[] = "Valintan\xE4ytt\xF6";
inline constexpr char kApplicationTitle[] = "Tuvako";
inline constexpr char kCardLabel[] = "Kortti";
inline constexpr char kNameLabel[] = "Nimi";

// Shown in the top panel while the server link is on but no session has been up for a while.
inline constexpr char kOfflineNotice[] = "Ei yhteytt\xE4 palvelimeen";
inline constexpr unsigned kOfflineNoticeDelayMs = 5000;

// Operator menu.
inline constexpr char kMenuLog[] = "Logi";
inline constexpr char kMenuClearLog[] = "Tyhjenn\xE4 logi";
inline constexpr char kMenuBackColor[] = "Taustav\xE4ri";
inline constexpr char kMenuExit[] = "Sulje";

// Configuration file, sections and keys with their defaults.
inline constexpr char kConfigFile[] = "Selvaro.ini";
inline constexpr char kStateFile[] = "Selwi.ini";
inline constexpr char kServerSection[] = "MessageSrv";
inline constexpr char kTerminalPrefix[] = "Tuvako";
inline constexpr char kSrvNoOption[] = "/SRVNO=";
inline constexpr char kDefaultSrvNo[] = "01";

inline constexpr char kKeyPort[] = "Port";
inline constexpr char kKeyPingTime[] = "PingTime";
inline constexpr char kKeyUse[] = "Use";
inline constexpr char kKeyServerAddress[] = "ServerAddress";
inline constexpr char kKeyNumber[] = "Number";
inline constexpr char kKeyButtonWidth[] = "ButtonWidth";
inline constexpr char kKeyButtonShowTime[] = "ButtonShowTime";
inline constexpr char kKeyFontSize[] = "FontSize";
inline constexpr char kKeyShowClearButton[] = "ShowClearButton";

inline constexpr char kDefaultPort[] = "40201";
inline constexpr int kDefaultPingTime = 180;
inline constexpr char kDefaultUse[] = "No";
inline constexpr char kDefaultServerAddress[] = "127.0.0.1";
inline constexpr char kDefaultNumber[] = "01";
inline constexpr int kDefaultButtonWidth = 100;
inline constexpr int kDefaultButtonShowTime = 60;
inline constexpr int kDefaultFontSize = 9;
inline constexpr char kDefaultShowClearButton[] = "Yes";

// Window and component state.
inline constexpr char kFormStateSection[] = "TfrmTuvakoMain";
inline constexpr char kComponentStateSection[] = "TfrmDEvevorMain";

// Headlines: waiting for a card, and a card accepted with choices to come.
inline constexpr char kHeadlineWaiting[] = "Ved\xE4 kortti lukijasta";
inline constexpr char kHeadlineChoose[] = "Valitse listasta!";

// The greeting that wraps the server's text when its result code is "0" or "16".
inline constexpr char kGreetingOpen[] = "Tervetuloa! (";
inline constexpr char kGreetingClose[] = ") ";

// Pieces of the customer's validity line, by validity kind.
inline constexpr char kValidUntilAfterKind1[] = ". Voimassa asti: ";
inline constexpr char kVisitsLeft[] = ". J\xE4ljell\xE4: ";
inline constexpr char kBalance[] = ". Saldo: ";
inline constexpr char kValidUntilAfterAmount[] = " Voimassa asti: ";

// The clear button's caption, the caption of a free slot, and the mark of a discounted choice.
inline constexpr char kClearButtonCaption[] = "Tyhjenn\xE4 ruutu";
inline constexpr char kFreeSlotCaptionPrefix[] = "Button ";  // followed by the slot number
inline constexpr char kDiscountSuffix[] = " (Ale)";

}  // namespace tuvako::texts
