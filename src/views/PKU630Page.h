#pragma once
// TabSheet4, the PKU-630: two hundred apartments with code and six keys, a column in which a
// hotel room number is picked from the list CB420M, and the concierge, password and general
// code fields. The room picks live on the page only: the record has no place for them.

#include "views/Page.h"

#include <array>
#include <map>

class ConfigGroup;
class FocusTracker;
class QComboBox;
class RecordGrid;

class PKU630Page : public Page {
    Q_OBJECT
public:
    PKU630Page(Session& session, QWidget* parent = nullptr);
    ~PKU630Page() override;

    void RunFill(Fill) override { ShowPKU630Page(); }
    void ShowPKU630Page();
    void StartDataSet() override;

    static constexpr int HotelColumn = 8;

private:
    void SGrid4SelectCell(int column, int row);
    // A pick writes the room into the remembered cell; leaving the list without one keeps the cell.
    void CB420MChange(bool picked);

    RecordGrid* SGrid4;
    QComboBox* CB420M;
    FocusTracker* listFocus_;
    ConfigGroup* GroupBox1;
    int pickRow_ = 0;
    std::map<int, QString> roomPicks_; // row of SGrid4 -> room picked for it
};
