#include "views/MaskEdit.h"

#include "views/FocusTracker.h"

#include <QKeyEvent>

MaskEdit::MaskEdit(const QString& objectName, Digits digits, QWidget* parent)
    : QLineEdit(parent), focus_(new FocusTracker(*this))
{
    setObjectName(objectName);
    setInputMask(QString(static_cast<int>(digits), QLatin1Char('9')) + QStringLiteral(";F"));
    setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    connect(focus_, &FocusTracker::Entered, this, &MaskEdit::Entered);
    connect(focus_, &FocusTracker::Exited, this, &MaskEdit::Exited);
}

// The focus leaving the field while it is torn down reports nothing.
MaskEdit::~MaskEdit() { delete focus_; }

void MaskEdit::keyPressEvent(QKeyEvent* event)
{
    if (keyHandler_) keyHandler_(*event, KeyPhase::Press);
    QLineEdit::keyPressEvent(event);
}

void MaskEdit::keyReleaseEvent(QKeyEvent* event)
{
    if (keyHandler_) keyHandler_(*event, KeyPhase::Release);
    QLineEdit::keyReleaseEvent(event);
}
