// The fixed texts that the terminal shows on its screen (code page 1252 bytes).
#pragma once

namespace tuvako::texts {

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
