#pragma once
// TabSheet3, the PKU-618: forty apartments of thirty keys each, the system area (concierge
// apartment and master key) and the configuration group with the lock opening time.

#include "views/Page.h"

class ConfigGroup;
class RecordGrid;
class SettingSpinEdit;

class PKU618Page : public Page {
    Q_OBJECT
public:
    PKU618Page(Session& session, QWidget* parent = nullptr);

    void RunFill(Fill) override { ShowPKU618Page(); }
    void ShowPKU618Page();

private:
    RecordGrid* SGrid5;
    ConfigGroup* GroupBox2;
    SettingSpinEdit* CSpinEdit1;
};
