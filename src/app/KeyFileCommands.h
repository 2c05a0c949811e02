#pragma once
// File > Export keys… and Import keys…: the keys of the current page to a spreadsheet file and
// back. An import stores each line as a typed key would be stored and then shows, line by line,
// what was stored and what was refused.

class DocumentCommands;
class Session;

class KeyFileCommands {
public:
    KeyFileCommands(Session& session, DocumentCommands& documents) : session_(session), documents_(documents) {}

    void Export();
    // The keys stored become one step of the edit history (the session announces the edit).
    void Import();

private:
    Session& session_;
    DocumentCommands& documents_;
};
