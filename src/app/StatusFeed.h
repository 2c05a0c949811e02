#pragma once
// Keeps the status line's facts current: the reader state, the place the next captured key takes
// and the modified mark. The receiver changes with the focus (InputTarget), the selection and the
// reader buttons, so each of them refreshes the line.

#include <QObject>

class DocumentCommands;
class PageLookup;
class Session;
class StatusLine;

class StatusFeed : public QObject {
public:
    StatusFeed(Session& session, const PageLookup& pages, StatusLine& line, const DocumentCommands& documents);

    void Refresh();

private:
    Session& session_;
    const PageLookup& pages_;
    StatusLine& line_;
    const DocumentCommands& documents_;
};
