#pragma once
// TabSheet7, the PKU-512S: two hundred apartments with code and twelve keys from two blocks of the
// key area, five system keys, the passwords and the general code, and a configuration group with
// five settings, the lock opening time, the concierge apartment and the volume.

#include "views/Page.h"

#include <array>

class ConfigGroup;
class RecordGrid;
class SettingSpinEdit;

class PKU512SPage : public Page {
    Q_OBJECT
public:
    PKU512SPage(Session& session, QWidget* parent = nullptr);

    void RunFill(Fill) override { ShowPKU512SPage(); }
    void ShowPKU512SPage();

private:
    RecordGrid* SGrid9;
    RecordGrid* SGrid10;
    ConfigGroup* GroupBox7;
    std::array<SettingSpinEdit*, 3> spinEdits_{}; // in fill order: CSpinEdit3, CSpinEdit2, CSpinEdit4
};
