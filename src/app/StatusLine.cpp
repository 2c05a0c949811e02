#include "app/StatusLine.h"

#include <QLabel>
#include <QStatusBar>

namespace {

constexpr Bilingual ShowDuplicate{"Показать, где он (Ctrl+F)", "Show where it is (Ctrl+F)"};
constexpr Bilingual KeyGoesTo{"Ключ пойдёт: %1", "Key goes to: %1"};
constexpr Bilingual KeyGoesNowhere{"Ключ некуда записать", "No place takes a key"};
constexpr Bilingual TouchMemoryOn{"Чтение ТМ включено", "Touch-memory reader on"};
constexpr Bilingual RfidOn{"Чтение RFID включено", "RFID reader on"};
constexpr Bilingual ReaderOff{"Считыватель выключен", "Reader off"};
constexpr Bilingual Modified{"Изменено", "Modified"};

void SetShown(QLabel& label, const QString& text)
{
    if (label.text() != text) label.setText(text);
    label.setVisible(!text.isEmpty());
}

} // namespace

StatusLine::StatusLine(QStatusBar& bar)
        : QObject(&bar), event_(AddLabel(bar, "StatusEvent")), keyTarget_(AddLabel(bar, "StatusKeyTarget")),
          reader_(AddLabel(bar, "StatusReader")), modified_(AddLabel(bar, "StatusModified")),
          duplicateOffer_(AddLabel(bar, "StatusShowDuplicate"))
{
    connect(duplicateOffer_, &QLabel::linkActivated, this, &StatusLine::ShowDuplicateRequested);
}

// Permanent widgets: the device-change message shown by the bar never hides them.
QLabel* StatusLine::AddLabel(QStatusBar& bar, const char* name)
{
    auto* label = new QLabel(&bar);
    label->setObjectName(QString::fromLatin1(name));
    label->hide();
    bar.addPermanentWidget(label);
    return label;
}

void StatusLine::ShowEvent(const QString& text)
{
    SetShown(*event_, text);
    duplicateOffer_->hide();
}

void StatusLine::OfferToShowDuplicate(Language language)
{
    SetShown(*duplicateOffer_, QStringLiteral("<a href=\"find\">%1</a>").arg(ShowDuplicate.in(language)));
}

bool StatusLine::DuplicateOffered() const { return !duplicateOffer_->isHidden(); }

void StatusLine::Show(const StatusFacts& facts, Language language)
{
    const Bilingual* reader = facts.reader == ReaderState::TouchMemory ? &TouchMemoryOn
                              : facts.reader == ReaderState::Rfid      ? &RfidOn
                                                                       : &ReaderOff;
    SetShown(*reader_, reader->in(language));
    QString target;
    if (facts.reader != ReaderState::Off)
        target = facts.keyTarget ? KeyGoesTo.in(language).arg(*facts.keyTarget) : KeyGoesNowhere.in(language);
    SetShown(*keyTarget_, target);
    SetShown(*modified_, facts.modified ? Modified.in(language) : QString());
}
