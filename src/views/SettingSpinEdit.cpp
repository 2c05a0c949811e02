#include "views/SettingSpinEdit.h"

#include <QLineEdit>
#include <QSignalBlocker>

SettingSpinEdit::SettingSpinEdit(const QString& objectName, Range range, Input input,
                                 std::function<void(int)> store, QWidget* parent)
    : QSpinBox(parent), store_(std::move(store))
{
    setObjectName(objectName);
    setRange(range.minimum, range.maximum);
    setValue(range.designValue);
    if (input == Input::ButtonsOnly) lineEdit()->setReadOnly(true);
    connect(this, &QSpinBox::valueChanged, this, [this](int value) {
        if (store_) store_(value);
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
