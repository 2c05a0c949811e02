#pragma once
// A numeric setting with up and down buttons over one record value in a fixed range. A fill shows
// the value clamped to the range and stores nothing; a change by the user stores the shown value
// at once, also while digits are being typed (text that is no number stores the lower bound).

#include <QSpinBox>

#include <functional>

class SettingSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    struct Range {
        int minimum;
        int maximum;
        int designValue;
    };
    enum class Input { ButtonsOnly, ButtonsAndDigits };

    SettingSpinEdit(const QString& objectName, Range range, Input input, std::function<void(int)> store,
                    QWidget* parent = nullptr);

    void ShowValue(int recordValue);

protected:
    // Typed text that is not a number counts as the lower bound.
    void fixup(QString& input) const override;

private:
    std::function<void(int)> store_;
};
