#pragma once
// TabSheet1: one hundred apartments with an individual code and six keys each, the service and
// system passwords, the general code and the configuration group. Types 0, 1 and 8 use
// ShowT150Page, type 9 ShowPKU512TPage with its system keys, lock time, volume and concierge.

#include "views/Page.h"

#include <array>

class ConfigCheckBox;
class ConfigGroup;
class QLabel;
class RecordGrid;
class SettingSpinEdit;

class ApartmentPage : public Page {
    Q_OBJECT
public:
    ApartmentPage(Session& session, QWidget* parent = nullptr);

    void RunFill(Fill fill) override;
    void ShowT150Page();
    void ShowPKU512TPage();
    void ShowTabSheet1Configuration();

private:
    enum class Variant { T150, PKU512T };
    void ShowPage(Variant variant);
    void ShowTypeControls(Variant variant);
    void CB4Click(bool checked);

    RecordGrid* SGrid1;
    ConfigGroup* GroupBox3;
    ConfigCheckBox* CB4;
    RecordGrid* StringGrid1;
    std::array<QLabel*, 4> systemKeyLabels_{};    // Label31 to Label34
    std::array<SettingSpinEdit*, 3> spinEdits_{}; // CSpinEdit5 to CSpinEdit7
};
