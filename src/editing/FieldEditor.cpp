#include "editing/FieldEditor.h"

#include "editing/ReaderGate.h"
#include "model/TextForms.h"
#include "views/MaskEdit.h"

#include <QKeyEvent>

#include <utility>

FieldEditor::FieldEditor(MaskEdit& field, const FieldEditing& rules, MaskEdit* next, Session& session)
        : QObject(&field), field_(field), rules_(rules), spec_(FieldSpecOf(rules.field)), next_(next), session_(session)
{
    field.SetKeyHandler([this](QKeyEvent& event, KeyPhase phase) {
        const KeyInput input = KeyInputOf(event, phase);
        if (phase == KeyPhase::Press)
            KeyDown(input);
        else
            KeyUp(input);
    });
    connect(&field, &MaskEdit::Exited, this, &FieldEditor::Exit);
    connect(&field, &MaskEdit::Entered, this, [this] { abandonedWithFocus_ = false; });
}

bool FieldEditor::GateStops()
{
    if (!rules_.readerGate || session_.ReaderOn()) return false;
    ShowReaderGateMessage(session_);
    return true;
}

bool FieldEditor::StartsEntry(const KeyInput& input) const
{
    return DecimalDigitOf(input) || (input.key == Qt::Key_Delete && rules_.deleteStartsEntry);
}

void FieldEditor::Store()
{
    if (const std::optional<std::uint16_t> value = DigitNibbleValue(field_.text()))
        SetFieldRecordValue(session_.Store().Record, spec_.value, *value);
}

void FieldEditor::Confirm(Leaving leaving)
{
    if (!entryActive_) return;
    entryActive_ = false;
    if (!field_.IsComplete()) {
        field_.setText(FieldText(session_.Store().Record, spec_));
        return;
    }
    Store();
    if (leaving == Leaving::ToNextField && next_) next_->setFocus();
}

void FieldEditor::KeyDown(const KeyInput& input)
{
    if (GateStops()) return;
    session_.MarkModified();
    if (IsEnter(input) && entryActive_) {
        Confirm(Leaving::ToNextField);
        return;
    }
    if (!StartsEntry(input)) return;
    entryActive_ = true;
    // These fields store what they held before the key changes it, so a complete value reaches
    // the record even when the next key leaves the field incomplete.
    if (rules_.storeAtPress && field_.IsComplete()) {
        Store();
        entryActive_ = false;
    }
}

void FieldEditor::KeyUp(const KeyInput& input)
{
    const bool changesDigits = DecimalDigitOf(input) || input.key == Qt::Key_Delete;
    if (changesDigits && field_.IsComplete()) Store();
}

// Leaving by a click or Tab stores a complete entry and restores an incomplete one; the focus
// goes where the user sent it.
void FieldEditor::Exit()
{
    if (std::exchange(abandonedWithFocus_, false)) return;
    if (GateStops()) return;
    session_.MarkModified();
    Confirm(Leaving::WhereTheUserWent);
}

void FieldEditor::Abandon()
{
    entryActive_ = false;
    field_.setText(FieldText(session_.Store().Record, spec_));
    // The window's focus widget keeps its place while a dialog or another window is active.
    abandonedWithFocus_ = field_.window()->focusWidget() == &field_;
}

MasterKeyField::MasterKeyField(QLineEdit& field, Session& session) : QObject(&field), field_(field), session_(session)
{
    field.installEventFilter(this);
}

void MasterKeyField::KeyDown(const KeyInput& input)
{
    if (input.key != Qt::Key_Delete) return;
    session_.Store().Record.MasterKey.clear();
    field_.setText(KeyText(session_.Store().Record.MasterKey));
    session_.MarkModified();
}

bool MasterKeyField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &field_ && event->type() == QEvent::KeyPress)
        KeyDown(KeyInputOf(*static_cast<QKeyEvent*>(event), KeyPhase::Press));
    return QObject::eventFilter(watched, event);
}
