#include "views/MaskEdit.h"

#include "views/FocusTracker.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {
// The line edit keeps this many pixels between its frame and its text on either side.
constexpr int TextSideMargin = 2;
} // namespace

MaskEdit::MaskEdit(const QString& objectName, Digits digits, QWidget* parent)
        : QLineEdit(parent), focus_(new FocusTracker(*this))
{
    setObjectName(objectName);
    setInputMask(QString(static_cast<int>(digits), QLatin1Char('9')) + QStringLiteral(";F"));
    setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    // Never narrower than its digits: a small window scrolls the page instead of cutting them.
    const int widestDigits = qMax(fontMetrics().horizontalAdvance(QString(static_cast<int>(digits), QLatin1Char('F'))),
                                  fontMetrics().horizontalAdvance(QString(static_cast<int>(digits), QLatin1Char('8'))));
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    const QSize contents(widestDigits + fontMetrics().averageCharWidth() + 2 * TextSideMargin, fontMetrics().height());
    setMinimumWidth(style()->sizeFromContents(QStyle::CT_LineEdit, &frame, contents, this).width());
    connect(focus_, &FocusTracker::Entered, this, &MaskEdit::Entered);
    connect(focus_, &FocusTracker::Exited, this, &MaskEdit::Exited);
}

// The focus leaving the field while it is torn down reports nothing.
MaskEdit::~MaskEdit() { delete focus_; }

bool MaskEdit::IsCommandChord(const QKeyEvent& event)
{
    const bool commandModifier = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool modifierAlone = event.key() == Qt::Key_Control || event.key() == Qt::Key_Alt ||
                               event.key() == Qt::Key_Meta || event.key() == Qt::Key_Shift ||
                               event.key() == Qt::Key_AltGr;
    return commandModifier && !modifierAlone;
}

// Control, Alt and Meta chords are the window's commands: they neither type nor paste into the
// digits, and the field's rules do not see them.
void MaskEdit::keyPressEvent(QKeyEvent* event)
{
    if (IsCommandChord(*event)) {
        event->ignore();
        return;
    }
    if (keyHandler_) keyHandler_(*event, KeyPhase::Press);
    QLineEdit::keyPressEvent(event);
}

void MaskEdit::keyReleaseEvent(QKeyEvent* event)
{
    if (IsCommandChord(*event)) {
        event->ignore();
        return;
    }
    if (keyHandler_) keyHandler_(*event, KeyPhase::Release);
    QLineEdit::keyReleaseEvent(event);
}
