#pragma once
// One page of the page control: it builds its own widgets and fills them from the record. A page
// whose controller family has no editor yet shows nothing.

#include "views/PageContext.h"
#include "views/PageDispatch.h"

#include <QWidget>

class Page : public QWidget {
    Q_OBJECT
public:
    Page(const QString& objectName, PageContext& context, QWidget* parent = nullptr)
        : QWidget(parent), context_(context)
    {
        setObjectName(objectName);
    }

    // Copies the record into the page's controls in the current language; writes nothing back.
    virtual void RunFill(Fill) {}

protected:
    PageContext& context_;
};
