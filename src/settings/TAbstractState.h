// The common ground of the state keepers: section, store, restore and save.
#pragma once

#include "platform/AnsiString.h"

#include <QObject>

class QWidget;

namespace tuvako {

class TAbstractStore;

// A state keeper saves something about a form (a top-level window) in a settings store and
// restores it later. It belongs to a widget: the form itself or a widget on it; the form is that
// widget's window. Restoring and saving are explicit calls (RestoreState, SaveState), each of
// which opens the store around its work.
class TAbstractState : public QObject {
public:
    // Raises EComponentError "This component can only be used on forms" without an owner.
    explicit TAbstractState(QWidget* owner);
    ~TAbstractState() override;

    const AnsiString& Section() const { return section_; }
    void SetSection(AnsiString section) { section_ = std::move(section); }
    // When the store is destroyed, Storage becomes null and Active false.
    TAbstractStore* Storage() const { return storage_; }
    void SetStorage(TAbstractStore* storage);

    // Restores what was saved; without a store it does nothing.
    void RestoreState();
    // Saves, unless the keeper is active and has not restored yet (a keeper that never read its
    // state must not overwrite it). Store failures propagate, e.g. EIniFileException.
    void SaveState();
    bool Restored() const { return restored_; }
    bool Saved() const { return saved_; }

    QWidget& Form() const { return *form_; }
    // Section, or the class name of the form when Section is empty.
    AnsiString EffectiveSection() const;

protected:
    // The object on the form (a descendant of it) whose objectName matches `name` without
    // regard to case, or null.
    QObject* FindComponent(const AnsiString& name) const;

    virtual void DoRestoreState() = 0;
    virtual void DoSaveState() = 0;

private:
    QWidget* form_;
    TAbstractStore* storage_ = nullptr;
    QMetaObject::Connection storageGone_;
    AnsiString section_;
    bool active_ = true;
    bool restored_ = false;
    bool saved_ = false;
};

}  // namespace tuvako
