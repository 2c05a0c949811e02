#include "views/Page.h"

#include "views/StringGrid.h"

#include <QScrollBar>
#include <QVBoxLayout>

Page::Page(const QString& objectName, PageContext& context, QWidget* parent)
    : QWidget(parent), context_(context), scroll_(new QScrollArea(this)), content_(new QWidget)
{
    setObjectName(objectName);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(content_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
}

void Page::StartDataSet()
{
    for (StringGrid* grid : content_->findChildren<StringGrid*>()) grid->ResetView();
    scroll_->verticalScrollBar()->setValue(0);
    scroll_->horizontalScrollBar()->setValue(0);
}
