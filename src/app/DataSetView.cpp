#include "app/DataSetView.h"

#include "app/CommandStates.h"
#include "app/PageEditors.h"
#include "app/PageLookup.h"
#include "app/Session.h"
#include "model/TypeName.h"
#include "views/Page.h"
#include "views/PageControl.h"

void DataSetView::Show()
{
    editors_.AbandonEntries();
    const std::optional<TDeviceType> type = session_.CurrentType();
    if (!type) return;
    Page& page = pages_.ShowingFill(FillOf(*type, session_.SmallIButton()));
    page.StartDataSet();
    pages_.Control().setCurrentWidget(&page);
    pages_.Control().show();
    Refill();
}

void DataSetView::Hide()
{
    editors_.AbandonEntries();
    pages_.Control().hide();
}

void DataSetView::Refill()
{
    const std::optional<TDeviceType> type = session_.CurrentType();
    if (!type) return;
    const Fill fill = FillOf(*type, session_.SmallIButton());
    pages_.ShowingFill(fill).RunFill(fill);
    commands_.AfterFill(fill);
    if (QWidget* first = pages_.FocusOf(fill)) first->setFocus();
    StoreTypeName(session_.Store().Record, type);
    commands_.SetEnabled("N1", true);
}

void DataSetView::SelectPage(const char* name) { pages_.Control().setCurrentWidget(pages_.Named(name)); }
