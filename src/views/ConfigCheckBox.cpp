#include "views/ConfigCheckBox.h"

ConfigCheckBox::ConfigCheckBox(const ConfigBoxTexts& texts, Session& session, QWidget* parent)
        : QCheckBox(parent), texts_(texts), session_(session)
{
    setObjectName(QString::fromLatin1(texts.name));
    // `clicked` comes from the user only, so a fill setting the state runs no click rule.
    connect(this, &QCheckBox::clicked, this, &ConfigCheckBox::Click);
}

void ConfigCheckBox::ShowCaption(bool checked, After after)
{
    const Bilingual& clicked = checked ? texts_.checkedAfterClick : texts_.uncheckedAfterClick;
    const Bilingual& filled = checked ? texts_.checked : texts_.unchecked;
    setText((after == After::Click && clicked.ru ? clicked : filled).in(session_.CurrentLanguage()));
}

void ConfigCheckBox::ShowFromRecord()
{
    const bool bitSet = ConfigBoxChecked(session_.Store().Record, texts_);
    setChecked(bitSet);
    ShowCaption(bitSet, After::Fill);
}

void ConfigCheckBox::ApplyHint(Language language) { setToolTip(texts_.hint.in(language)); }

void ConfigCheckBox::Click(bool checked)
{
    std::uint8_t& config = session_.Store().Record.ConfigByte;
    const auto mask = static_cast<std::uint8_t>(1u << texts_.bit);
    config = checked ? (config | mask) : (config & ~mask);
    session_.MarkModified();
    ShowCaption(checked, After::Click);
    if (afterClick_) afterClick_(checked);
}
