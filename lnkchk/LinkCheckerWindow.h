#pragma once

#include "common/Environment.h"
#include "platform/ui/UserInterface.h"

namespace vexa::lnkchk {

// The controls of the checker's window, as a scenario names them.
enum LinkCheckerControl : int {
  kRowList = 1000,
  kCheck = 1001,    // "체크": marks every row not yet settled
  kConvert = 1002,  // "변환": the same pass, rewriting convertible shortcuts
};

inline constexpr char16_t kCheckerTitle[] = u"Vexa Link Checker 1.0";

// The checker's window: the shortcuts of the launcher's three program groups on the storage the
// program runs from, checked and converted by the two buttons. Returns when the window closes.
void RunLinkChecker(Environment& env, platform::ui::UserInterface& ui);

}  // namespace vexa::lnkchk
