#pragma once
// One page of the page control: it builds its own widgets and fills them from the record. Its
// content scrolls when the window is smaller than the page.

#include "views/PageContext.h"
#include "model/ControllerTypes.h"

#include <QScrollArea>
#include <QWidget>

class Page : public QWidget {
    Q_OBJECT
public:
    Page(const QString& objectName, PageContext& context, QWidget* parent = nullptr);

    // Copies the record into the page's controls in the current language; writes nothing back.
    virtual void RunFill(Fill) {}
    // Another data set becomes current: the page forgets what it showed of the previous one
    // (picks that live only on the page, the scroll position, the current cells).
    virtual void StartDataSet();

protected:
    // The widget the page's controls are built into.
    QWidget* Content() const { return content_; }

    PageContext& context_;

private:
    QScrollArea* scroll_;
    QWidget* content_;
};
