// Writing the window state through: the position once the window has settled, the colours at
// once, so that "Selwi.ini" holds them before any close.
#include "app/Main.h"

#include "app/StateWriteThrough.h"
#include "settings/TComponentState.h"
#include "settings/TFormState.h"

#include <QEvent>

namespace tuvako {

void TfrmTuvakoMain::CreateStateSaving() {
    StateSaving = new StateWriteThrough(this);
    StateSaving->setObjectName(QStringLiteral("StateSaving"));
    // The texts that name a failure are those the close has always written.
    StateSaving->AddPart("Saving the window state", [this] { FormState->SaveState(); });
    StateSaving->AddPart("Saving the panel colours", [this] { ComponentState->SaveState(); });
}

void TfrmTuvakoMain::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    WindowGeometryChanged();
}

void TfrmTuvakoMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    WindowGeometryChanged();
}

void TfrmTuvakoMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) WindowGeometryChanged();
}

void TfrmTuvakoMain::WindowGeometryChanged() {
    // A drag reports every pixel; the file is written once the window has come to rest. After
    // the close has saved, the window only goes away.
    if (formClosed_ || !StateWritable()) return;
    StateSaving->Changed();
}

void TfrmTuvakoMain::SaveWindowState() {
    if (StateWritable()) StateSaving->SaveNow();
}

}  // namespace tuvako
