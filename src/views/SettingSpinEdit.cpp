#include "views/SettingSpinEdit.h"

#include <QLineEdit>
#include <QSignalBlocker>

SettingSpinEdit::SettingSpinEdit(const QString& objectName, Range range, Input input, std::function<void(int)> store,
                                 QWidget* parent)
        : QSpinBox(parent), store_(std::move(store))
{
    setObjectName(objectName);
    setRange(range.minimum, range.maximum);
    setValue(range.designValue);
    if (input == Input::ButtonsOnly) lineEdit()->setReadOnly(true);
    connect(this, &QSpinBox::valueChanged, this, [this](int value) {
        if (store_) store_(value);
    });
    // Emptied or non-numeric text gives no value change; what the field stands for is already the
    // lower bound, so a save before the field is left writes that.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        bool isNumber = false;
        text.toInt(&isNumber);
        if (!isNumber && store_) store_(minimum());
    });
}

void SettingSpinEdit::ShowValue(int recordValue)
{
    const QSignalBlocker noStore(this);
    setValue(qBound(minimum(), recordValue, maximum()));
}

void SettingSpinEdit::fixup(QString& input) const
{
    bool isNumber = false;
    input.toInt(&isNumber);
    if (!isNumber) input = QString::number(minimum());
}
