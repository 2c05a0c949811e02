#include "app/StatusFeed.h"

#include "app/DocumentCommands.h"
#include "app/KeyPlaces.h"
#include "app/PageLookup.h"
#include "app/Session.h"
#include "app/StatusLine.h"
#include "views/PageControl.h"
#include "views/PageParts.h"

#include <QApplication>

StatusFeed::StatusFeed(Session& session, const PageLookup& pages, StatusLine& line, const DocumentCommands& documents)
        : session_(session), pages_(pages), line_(line), documents_(documents)
{
    connect(qApp, &QApplication::focusChanged, this, &StatusFeed::Refresh);
    for (RecordGrid* grid : pages_.Grids())
        connect(grid, &QTableWidget::currentCellChanged, this, &StatusFeed::Refresh);
    connect(&session_, &Session::ReaderChanged, this, &StatusFeed::Refresh);
}

void StatusFeed::Refresh()
{
    StatusFacts facts;
    facts.reader = session_.Reader();
    facts.modified = documents_.State().DataModified;
    const std::optional<TDeviceType> type = session_.CurrentType();
    if (facts.reader != ReaderState::Off && type && !pages_.Control().isHidden()) {
        const KeyReceiver& receiver = ReceiverOf(type, session_.SmallIButton(), session_.Targets());
        const RecordGrid* grid = receiver.control.table ? pages_.Grid(*receiver.control.table) : nullptr;
        facts.keyTarget = NextKeyPlace(session_.Store(), receiver, grid, session_.CurrentLanguage());
    }
    line_.Show(facts, session_.CurrentLanguage());
}
