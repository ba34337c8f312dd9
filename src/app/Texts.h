// Fixed texts of the main window: captions, menu, configuration keys (code page 1252 bytes).
// The texts of the selection road are in ScreenTexts.h.
#pragma once

namespace tuvako::texts {

// Designed caption, replaced by the terminal id at start-up.
inline constexpr char kDesignedCaption[] = "Valintan\xE4ytt\xF6";
inline constexpr char kApplicationTitle[] = "Tuvako";
inline constexpr char kCardLabel[] = "Kortti";
inline constexpr char kNameLabel[] = "Nimi";

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

}  // namespace tuvako::texts
