#pragma once
// A check box that stands for one bit of the record's configuration byte. A fill shows the bit
// without running the click rules; a click stores the bit, marks the document modified and
// changes the caption. Each box has a caption for either state in either language and a hint;
// a few boxes word a state differently after a click than after a fill.

#include "model/Language.h"
#include "model/PageSettings.h"
#include "app/Session.h"

#include <QCheckBox>

#include <functional>

class ConfigCheckBox : public QCheckBox {
    Q_OBJECT
public:
    ConfigCheckBox(const ConfigBoxTexts& texts, Session& session, QWidget* parent = nullptr);

    // Fill: state from the bit, caption in the current language; nothing is stored.
    void ShowFromRecord();
    void ApplyHint(Language language);
    // A further rule run after the bit was stored (the lock opening time box).
    void SetAfterClick(std::function<void(bool checked)> rule) { afterClick_ = std::move(rule); }

private:
    void Click(bool checked);
    enum class After { Fill, Click };
    void ShowCaption(bool checked, After after);

    const ConfigBoxTexts& texts_;
    Session& session_;
    std::function<void(bool)> afterClick_;
};
