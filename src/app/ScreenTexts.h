// The fixed texts that the terminal shows on its screen (code page 1252 bytes).
#pragma once

namespace tuvako {

// Headlines: waiting for a card, and a card accepted with choices to come.
inline constexpr char HeadlineWaiting[] = "Ved\xE4 kortti lukijasta";
inline constexpr char HeadlineChoose[] = "Valitse listasta!";

// The greeting that wraps the server's text when its result code is "0" or "16".
inline constexpr char GreetingOpen[] = "Tervetuloa! (";
inline constexpr char GreetingClose[] = ") ";

// Pieces of the customer's validity line, by validity kind.
inline constexpr char ValidUntilAfterKind1[] = ". Voimassa asti: ";
inline constexpr char VisitsLeft[] = ". J\xE4ljell\xE4: ";
inline constexpr char Balance[] = ". Saldo: ";
inline constexpr char ValidUntilAfterAmount[] = " Voimassa asti: ";

// The clear button's caption, the caption of a free slot, and the mark of a discounted choice.
inline constexpr char ClearButtonCaption[] = "Tyhjenn\xE4 ruutu";
inline constexpr char FreeSlotCaptionPrefix[] = "Button ";  // followed by the slot number
inline constexpr char DiscountSuffix[] = " (Ale)";

}  // namespace tuvako
