// Keeps a form's placement (position, size, state) and a few of its properties in a store.
#pragma once

#include "settings/TAbstractState.h"

#include <QFlags>

namespace tuvako {

enum TFormStateOption {
    fsState = 0x01,           // minimised, maximised or normal
    fsPosition = 0x02,        // the restored rectangle
    fsNoSize = 0x04,          // with fsPosition: only the top-left corner, the size stays
    fsColor = 0x08,           // the form's colour
    fsActiveControl = 0x10,   // the widget that has the focus
    fsDefaultMonitor = 0x20,  // the monitor the form opens on
};
using TFormStateOptions = QFlags<TFormStateOption>;
Q_DECLARE_OPERATORS_FOR_FLAGS(TFormStateOptions)

// Saves under its section, in this order: "Flags", "ShowCmd", "NormalPos" (the restored frame
// rectangle "left,top,right,bottom" in workspace pixels), "PixelsPerInch", "DefaultMonitor"
// (with fsDefaultMonitor), "Color" (always, as a signed decimal colour word), "ActiveControl"
// (with fsActiveControl, when a widget has the focus).
//
// Restores only what the options name, and nothing at all when the stored "PixelsPerInch"
// differs from the form's (the position was measured on another screen) or, with fsPosition,
// when there is no "NormalPos". "NormalPos" is read leniently: words split at any run of spaces
// and commas; a missing or non-numeric word keeps the current value.
//
// The form's colour is its integer "Color" property when it has one (names compared without
// regard to case), else its palette's window colour.
class TFormState : public TAbstractState {
public:
    explicit TFormState(QWidget* owner);
    ~TFormState() override;

    TFormStateOptions Options() const { return options_; }
    void SetOptions(TFormStateOptions options) { options_ = options; }

protected:
    void DoRestoreState() override;
    void DoSaveState() override;

private:
    void RestoreRest(TAbstractStore& store, const AnsiString& section);

    TFormStateOptions options_ = fsState | fsPosition;
};

}  // namespace tuvako
