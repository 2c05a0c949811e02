#pragma once
// The keyboard editor of one masked field of digits (a password, the general code, a concierge
// number): MaskEdit1KeyDown, MaskEdit1KeyUp and MaskEdit1Exit for MaskEdit1, and so on. The
// field's mask decides what a key types; the editor decides when the digits reach the record:
// at the release of the key that completes the field, on Enter, and when the field is left.
// An incomplete field shows the record's value again. No key is ever swallowed.

#include "app/Session.h"
#include "editing/EditingTables.h"
#include "editing/KeyInput.h"
#include "model/FieldSpecs.h"

#include <QObject>

class MaskEdit;
class QLineEdit;

class FieldEditor : public QObject {
    Q_OBJECT
public:
    // `next` is the field Enter moves to, nullptr where the focus stays.
    FieldEditor(MaskEdit& field, const FieldEditing& rules, MaskEdit* next, Session& session);

    void KeyDown(const KeyInput& input);
    void KeyUp(const KeyInput& input);
    void Exit();
    // Another data set became current: an entry begun in the previous one is dropped and the
    // field shows the record again; the leaving that follows when its page is hidden stores nothing.
    void Abandon();

    bool EntryActive() const { return entryActive_; }

private:
    enum class Leaving { ToNextField, WhereTheUserWent };
    // Enter: an entry in progress is stored when complete and restored otherwise.
    void Confirm(Leaving leaving);
    bool StartsEntry(const KeyInput& input) const;
    void Store();
    // The reader check of the PKU-618 concierge field; true when it stops the event.
    bool GateStops();

    MaskEdit& field_;
    const FieldEditing& rules_;
    const FieldSpec& spec_;
    MaskEdit* next_;
    Session& session_;
    bool entryActive_ = false;        // a digit (or Delete) was pressed since the field last reached the record
    bool abandonedWithFocus_ = false; // dropped while it held the focus: its next leaving is no edit
};

// The master key field of a key list or PKU-618 page takes Delete only, which empties the master
// key (Edit2KeyDown, Edit3KeyDown, Edit4KeyDown); a master key is entered from a reader.
class MasterKeyField : public QObject {
    Q_OBJECT
public:
    MasterKeyField(QLineEdit& field, Session& session);

    void KeyDown(const KeyInput& input);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit& field_;
    Session& session_;
};
