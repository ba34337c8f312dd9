// The wire record that the terminal sends, and the fixed texts of its records.
#pragma once

#include "platform/AnsiString.h"

#include <cstddef>

namespace tuvako {

// Each of the first five fields of a record is cut to this many characters.
constexpr std::size_t RecordFieldMax = 35;

// The record kinds that the terminal sends and the server sends back.
inline constexpr char RecordKindLogin[] = "Moi";
inline constexpr char RecordKindPing[] = "Ping";
inline constexpr char RecordKindLog[] = "Log";
inline constexpr char RecordKindCard[] = "Crd";

// The fixed fields: the subject of records that concern no customer, and fields 4 and 5.
inline constexpr char RecordNoSubject[] = "-";
inline constexpr char RecordField4[] = "-";
inline constexpr char RecordField5[] = "0";

// Data fields of the login answer and of the keep-alive record.
inline constexpr char LoginPassword[] = "KVLNQ";
inline constexpr char PingData[] = "Ping";

// The reasons that a no-choice report carries, and the tail that makes the server store it.
inline constexpr char ReasonNextCustomer[] = "Seuravan asiakaan veto: Valintaa ei tehty!";
inline constexpr char ReasonTimeout[] = "Timeout: Valintaa ei tehty!";
inline constexpr char ReasonCleared[] = "Tyhjenn\xE4: Valintaa ei tehty!";
inline constexpr char SaveLogTail[] = "^SaveLogi^";

// The server's plain login prompt, the only line that is not enciphered.
inline constexpr char LoginPrompt[] = "Login:";

// Words of the messages that the server sends: the button message kind, the card acceptance
// and the three steps of a list of choices.
inline constexpr char MessageKindButtons[] = "Buttons";
inline constexpr char CardAccepted[] = "OK";
inline constexpr char ButtonsStart[] = "START";
inline constexpr char ButtonsButton[] = "BUTTON";
inline constexpr char ButtonsStop[] = "STOP";

// The line end of every line on the wire.
inline constexpr char LineEnd[] = "\r\n";

// kind "^" subject "^" terminal "^" f4 "^" f5 "^" data "^". The first five are cut to 35
// characters; data is taken whole (callers cut it to 255 first) and may itself hold "^".
AnsiString BuildRecord(const AnsiString& kind, const AnsiString& subject,
                       const AnsiString& terminal, const AnsiString& f4, const AnsiString& f5,
                       const AnsiString& data);

}  // namespace tuvako
