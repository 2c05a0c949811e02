#include "app/WindowTitle.h"

#include <QWidget>

void WindowTitle::SetCaption(const QString& caption)
{
    caption_ = caption;
    Show();
}

void WindowTitle::SetFileName(const QString& path)
{
    fileName_ = path;
    Show();
}

void WindowTitle::Show()
{
    window_.setWindowTitle(fileName_.isEmpty() ? caption_ : caption_ + QStringLiteral("   ") + fileName_);
}
