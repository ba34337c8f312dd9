#include "settings/TAbstractState.h"

#include "platform/Cp1252.h"
#include "settings/EComponentError.h"
#include "settings/TAbstractStore.h"

#include <QWidget>

namespace tuvako {
namespace {

QWidget* FormOf(QWidget* owner) {
    if (!owner) throw EComponentError("This component can only be used on forms");
    return owner->window();
}

}  // namespace

TAbstractState::TAbstractState(QWidget* owner) : QObject(owner), form_(FormOf(owner)) {}

TAbstractState::~TAbstractState() = default;

void TAbstractState::SetStorage(TAbstractStore* storage) {
    disconnect(storageGone_);
    storage_ = storage;
    if (storage_)
        storageGone_ = connect(storage_, &QObject::destroyed, this, [this] {
            storage_ = nullptr;
            active_ = false;
        });
}

void TAbstractState::RestoreState() {
    saved_ = false;
    DoRestoreState();
    restored_ = true;
}

void TAbstractState::SaveState() {
    if (active_ && !restored_) return;
    DoSaveState();
    saved_ = true;
}

AnsiString TAbstractState::EffectiveSection() const {
    if (!section_.empty()) return section_;
    // The form's class as a form designer names it: without the namespace.
    const AnsiString className = form_->metaObject()->className();
    const std::size_t scope = className.rfind("::");
    return scope == AnsiString::npos ? className : className.substr(scope + 2);
}

QObject* TAbstractState::FindComponent(const AnsiString& name) const {
    const QString wanted = ToQString(name);
    if (wanted.isEmpty()) return nullptr;
    for (QObject* child : form_->findChildren<QObject*>())
        if (child->objectName().compare(wanted, Qt::CaseInsensitive) == 0) return child;
    return nullptr;
}

}  // namespace tuvako
