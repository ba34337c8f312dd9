// The wire record that the terminal sends, and the fixed texts of its records.
#pragma once

#include "platform/AnsiString.h"

#include <cstddef>

namespace tuvako {

// Each of the first five fields of a record is cut to this many characters.
constexpr std::size_t kRecordFieldMax = 35;

namespace texts {

// The record kinds that the terminal sends and the server sends back.
inline constexpr char kRecordKindLogin[] = "Moi";
inline constexpr char kRecordKindPing[] = "Ping";
inline constexpr char kRecordKindLog[] = "Log";
inline constexpr char kRecordKindCard[] = "Crd";

// The fixed fields: the subject of records that concern no customer, and fields 4 and 5.
inline constexpr char kNoSubject[] = "-";
inline constexpr char kRecordField4[] = "-";
inline constexpr char kRecordField5[] = "0";

// Data fields of the login answer and of the keep-alive record.
inline constexpr char kLoginPassword[] = "KVLNQ";
inline constexpr char kPingData[] = "Ping";

// The reasons that a no-choice report carries, and the tail that makes the server store it.
inline constexpr char kReasonNextCustomer[] = "Seuravan asiakaan veto: Valintaa ei tehty!";
inline constexpr char kReasonTimeout[] = "Timeout: Valintaa ei tehty!";
inline constexpr char kReasonCleared[] = "Tyhjenn\xE4: Valintaa ei tehty!";
inline constexpr char kSaveLogTail[] = "^SaveLogi^";

// The server's plain login prompt, the only line that is not enciphered.
inline constexpr char kLoginPrompt[] = "Login:";

// Words of the messages that the server sends: the button message kind, the card acceptance
// and the three steps of a list of choices.
inline constexpr char kMessageKindButtons[] = "Buttons";
inline constexpr char kCardAccepted[] = "OK";
inline constexpr char kButtonsStart[] = "START";
inline constexpr char kButtonsButton[] = "BUTTON";
inline constexpr char kButtonsStop[] = "STOP";

// The line end of every line on the wire.
inline constexpr char kLineEnd[] = "\r\n";

}  // namespace texts

// kind "^" subject "^" terminal "^" f4 "^" f5 "^" data "^". The first five are cut to 35
// characters; data is taken whole (callers cut it to 255 first) and may itself hold "^".
AnsiString BuildRecord(const AnsiString& kind, const AnsiString& subject,
                       const AnsiString& terminal, const AnsiString& f4, const AnsiString& f5,
                       const AnsiString& data);

// The answer to the server's login prompt: "Moi" with the terminal id and the password.
AnsiString LoginRecord(const AnsiString& terminalId);

}  // namespace tuvako
