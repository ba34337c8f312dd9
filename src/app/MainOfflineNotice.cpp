// The offline notice: a small red line at the right of the top panel while the server link is
// on and no session has been connected for kOfflineNoticeDelayMs.
#include "app/Fonts.h"
#include "app/Main.h"

#include "app/TPanel.h"
#include "app/Texts.h"
#include "net/TClientSocket.h"
#include "platform/Cp1252.h"
#include "settings/TTimerPool.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tuvako {

void TfrmTuvakoMain::CreateOfflineNotice() {
    LblOffline = new QLabel(ToQString(texts::kOfflineNotice), PanelTop);
    LblOffline->setObjectName(QStringLiteral("LblOffline"));
    QFont font = SansFont(13);
    font.setBold(true);
    LblOffline->setFont(font);
    QPalette colors = LblOffline->palette();
    colors.setColor(QPalette::WindowText, ToQColor(clRed));
    LblOffline->setPalette(colors);
    LblOffline->hide();
    // The panel's other contents sit at fixed places; only the notice follows its right edge,
    // on the line of the name box, clear of the headline and the boxes.
    auto* corner = new QVBoxLayout(PanelTop);
    corner->setContentsMargins(0, 0, 12, 12);
    corner->addStretch();
    corner->addWidget(LblOffline, 0, Qt::AlignRight | Qt::AlignBottom);
}

void TfrmTuvakoMain::CreateOfflineTrigger() {
    // Runs from the start: until the first session connects, the terminal is offline.
    OfflineTrigger = TimerPool->AddTrigger(texts::kOfflineNoticeDelayMs);
    offlineTimerRunning_ = true;
    TimerPool->SetTriggerHandler(OfflineTrigger, [this](TTimerPool*, int handle, std::uint32_t,
                                                        std::int32_t) { OfflineTimeout(handle); });
}

void TfrmTuvakoMain::SessionWentDown() {
    // A failed attempt while the notice is already counting or shown changes nothing: the
    // time counts from when the last session was lost.
    if (OfflineTrigger < 0 || formClosed_ || offlineTimerRunning_ || !LblOffline->isHidden())
        return;
    TimerPool->SetTriggerEnabled(OfflineTrigger, true);
    offlineTimerRunning_ = true;
}

void TfrmTuvakoMain::SessionCameUp() {
    LblOffline->hide();
    if (OfflineTrigger < 0 || formClosed_) return;
    TimerPool->SetTriggerEnabled(OfflineTrigger, false);
    offlineTimerRunning_ = false;
}

void TfrmTuvakoMain::OfflineTimeout(int handle) {
    TimerPool->SetTriggerEnabled(handle, false);
    offlineTimerRunning_ = false;
    if (UseServer && !IsSessionConnected()) LblOffline->show();
}

}  // namespace tuvako
