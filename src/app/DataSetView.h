#pragma once
// The page control's side of the current data set: the current type's page shown and filled,
// with the command states and the input focus its fill gives, or the page control hidden while
// no data set is current. Typing begun in the previous data set never reaches the next one.

class CommandStates;
class PageEditors;
class PageLookup;
class Session;

class DataSetView {
public:
    DataSetView(Session& session, const PageLookup& pages, PageEditors& editors, CommandStates& commands)
            : session_(session), pages_(pages), editors_(editors), commands_(commands)
    {
    }

    // The current type's page becomes the active page, shown and filled from a new data set.
    void Show();
    void Hide();
    // The current type's page is filled again; the command states and the focus follow its fill.
    void Refill();
    // Makes the page of that object name the active page, without a fill.
    void SelectPage(const char* name);

private:
    Session& session_;
    const PageLookup& pages_;
    PageEditors& editors_;
    CommandStates& commands_;
};
