#include "app/StartHint.h"

#include <QEvent>

namespace {
constexpr Bilingual WhatToDoFirst{"Выберите тип контроллера, затем прочитайте микросхему или откройте файл",
                                  "Choose a controller type, then read a chip or open a file"};
} // namespace

StartHint::StartHint(QWidget& pages, QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("StartHint"));
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setVisible(pages.isHidden());
    pages.installEventFilter(this);
}

void StartHint::ApplyLanguage(Language language) { setText(WhatToDoFirst.in(language)); }

bool StartHint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShowToParent)
        hide();
    else if (event->type() == QEvent::HideToParent)
        show();
    return QLabel::eventFilter(watched, event);
}
